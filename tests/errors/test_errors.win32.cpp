// The platform side of the error texts, in this process.
#include "errors/ErrIds.h"
#include "errors/ErrTexts.h"
#include "errors/ProcessorFault.h"
#include "util/CmdLine.h"

#include <gtest/gtest.h>

namespace {

std::string Hex16(std::uintptr_t value) {
    char text[20];
    wsprintfA(text, "%p", reinterpret_cast<void*>(value));
    return text;
}

TEST(SysErrorTextTest, PlatformTextWithoutItsEnding) {
    char raw[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, 2, 0, raw, sizeof raw, nullptr);
    std::string text = SysErrorText(2);
    ASSERT_FALSE(text.empty()) << "raw text: " << raw;
    EXPECT_EQ(std::string(raw).rfind(text, 0), 0u) << "not a prefix of the platform's text";
    EXPECT_NE(text.back(), '.');
    EXPECT_GT(static_cast<unsigned char>(text.back()), 0x20);
    EXPECT_EQ(SysErrorText(0x2FFFFFFF), "") << "a code without text";
    // ERROR_BAD_EXE_FORMAT's text has an insert, for which there is no argument.
    std::string withInsert = SysErrorText(ERROR_BAD_EXE_FORMAT);
    EXPECT_NE(withInsert.find("%1"), std::string::npos) << "got: " << withInsert;
}

TEST(ResourceTest, StringTableHoldsTheBuiltInTexts) {
    for (unsigned id = IDS_OUT_OF_MEMORY; id <= IDS_EXCEPTION_TEMPLATE; ++id) {
        const char* builtIn = BuiltInErrorText(id);
        if (!builtIn)
            continue;
        char buffer[256] = {};
        int length = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
        EXPECT_EQ(std::string(buffer, length > 0 ? length : 0), builtIn) << "resource " << id;
    }
    EXPECT_NE(LoadIconA(GetModuleHandleA(nullptr), "MAINICON"), nullptr);
}

TEST(ProcessorExceptionTest, CodesBecomeTheirRunTimeErrors) {
    EXCEPTION_RECORD record{};
    record.ExceptionAddress = reinterpret_cast<void*>(0x1234);

    record.ExceptionCode = EXCEPTION_INT_DIVIDE_BY_ZERO;
    Exception divide = ProcessorException(record);
    EXPECT_EQ(divide.ErrorCode, 6);
    EXPECT_EQ(divide.Message, "Division by zero");
    EXPECT_EQ(divide.ExceptionRecord, nullptr);
    EXPECT_EQ(divide.RaiseAddress, record.ExceptionAddress);

    record.ExceptionCode = EXCEPTION_FLT_DIVIDE_BY_ZERO;
    EXPECT_EQ(ProcessorException(record).ErrorCode, 12);
    record.ExceptionCode = EXCEPTION_STACK_OVERFLOW;
    EXPECT_EQ(ProcessorException(record).Message, "Stack overflow");
    record.ExceptionCode = EXCEPTION_PRIV_INSTRUCTION;
    EXPECT_EQ(ProcessorException(record).ErrorCode, 19);

    record.ExceptionCode = EXCEPTION_BREAKPOINT;
    Exception external = ProcessorException(record);
    EXPECT_EQ(external.ErrorCode, 4);
    EXPECT_EQ(external.Message, "External exception 80000003");
    EXPECT_EQ(external.ExceptionRecord, &record);
}

TEST(ProcessorExceptionTest, AccessViolationWithAndWithoutModule) {
    EXCEPTION_RECORD record{};
    record.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
    record.NumberParameters = 2;
    record.ExceptionInformation[0] = 0; // read
    record.ExceptionInformation[1] = 0x10;
    record.ExceptionAddress = nullptr; // nothing is committed there
    Exception nowhere = ProcessorException(record);
    EXPECT_EQ(nowhere.ErrorCode, 18);
    EXPECT_EQ(nowhere.Message,
              "Access violation at address " + Hex16(0) + ". Read of address " + Hex16(0x10));

    auto inProgram = reinterpret_cast<std::uintptr_t>(&ProgramPath);
    record.ExceptionAddress = reinterpret_cast<void*>(inProgram);
    record.ExceptionInformation[0] = 1; // write
    Exception own = ProcessorException(record);
    EXPECT_EQ(own.Message, "Access violation at address " + Hex16(inProgram) +
                               " in module 'errors_test_errors.exe'. Write of address " +
                               Hex16(0x10));
}

TEST(LastResortTest, ModuleAndAddressComeFromTheRaisingCode) {
    auto inProgram = reinterpret_cast<std::uintptr_t>(&ProgramPath);
    auto base = reinterpret_cast<std::uintptr_t>(GetModuleHandleA(nullptr));
    TUnhandledReport own{"EInStm", "Неверный символ", reinterpret_cast<void*>(inProgram)};
    EXPECT_EQ(LastResortText(own), "Exception EInStm in module " + ProgramPath() + " at " +
                                       Hex16(inProgram - base) + ".\nНеверный символ");

    TUnhandledReport unknown{"std::runtime_error", "", nullptr};
    EXPECT_EQ(LastResortText(unknown), "Exception std::runtime_error in module " + ProgramPath() +
                                           " at " + Hex16(0) + ".\n");

    // An address outside every module: shown as an offset from the program's first page.
    TUnhandledReport wild{"Exception", "x", reinterpret_cast<void*>(0x5000)};
    EXPECT_EQ(LastResortText(wild),
              "Exception Exception in module " + ProgramPath() + " at " + Hex16(0x4000) + ".\nx");
}

} // namespace
