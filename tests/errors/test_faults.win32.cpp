// Each fault is made in a child process, which must show the last-resort box and end with 1.
#include "tests/support/Process.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

struct TChildOutcome {
    bool BoxFound = false;
    std::string BoxText;
    DWORD ExitCode = 0;
};

// Long enough for any fault under a busy Wine; a child that spins instead is killed after it.
constexpr DWORD ChildMillis = 30000;

TChildOutcome RunFaultChild(const std::string& fault, DWORD timeoutMs = ChildMillis) {
    const support::TRun run =
        support::RunProgram(support::ProgramFolder() + "errors_fault_child.exe", fault, timeoutMs);
    EXPECT_TRUE(run.Ended) << fault << ": the child did not end within " << timeoutMs << " ms";
    TChildOutcome outcome;
    outcome.BoxFound = !run.Boxes.empty();
    if (outcome.BoxFound && !run.Boxes[0].Texts.empty())
        outcome.BoxText = run.Boxes[0].Texts[0];
    outcome.ExitCode = run.ExitCode;
    return outcome;
}

// "Exception <class> in module <path> at <address>.\n<message>", split into its pieces.
struct TBoxParts {
    std::string ClassName, Module, Address, Message;
};

TBoxParts SplitBox(const std::string& text) {
    TBoxParts parts;
    const std::string head = "Exception ";
    std::size_t inModule = text.find(" in module ");
    std::size_t at = text.find(" at ", inModule);
    std::size_t lineEnd = text.find(".\n", at);
    if (text.rfind(head, 0) != 0 || inModule == std::string::npos || at == std::string::npos ||
        lineEnd == std::string::npos)
        return parts;
    parts.ClassName = text.substr(head.size(), inModule - head.size());
    parts.Module = text.substr(inModule + 11, at - inModule - 11);
    parts.Address = text.substr(at + 4, lineEnd - at - 4);
    parts.Message = text.substr(lineEnd + 2);
    return parts;
}

void ExpectBox(const std::string& fault, const std::string& className, const std::string& message,
               DWORD timeoutMs = ChildMillis) {
    TChildOutcome outcome = RunFaultChild(fault, timeoutMs);
    ASSERT_TRUE(outcome.BoxFound) << fault << ": no last-resort box; exit code "
                                  << outcome.ExitCode;
    TBoxParts parts = SplitBox(outcome.BoxText);
    EXPECT_EQ(parts.ClassName, className) << fault << ": box text " << outcome.BoxText;
    EXPECT_EQ(parts.Message, message) << fault << ": box text " << outcome.BoxText;
    EXPECT_NE(parts.Module.find(":\\"), std::string::npos)
        << fault << ": the module is not a full path: " << outcome.BoxText;
    EXPECT_EQ(outcome.ExitCode, 1u) << fault;
    // A syntax error knows where it was raised, as an Exception does.
    if (className == "EInStm") {
        EXPECT_NE(std::strtoull(parts.Address.c_str(), nullptr, 16), 0u) << outcome.BoxText;
    }
}

TEST(FaultTest, WriteToZeroNamesTheModuleAndTheWrite) {
    TChildOutcome outcome = RunFaultChild("write0");
    ASSERT_TRUE(outcome.BoxFound) << "exit code " << outcome.ExitCode;
    EXPECT_EQ(outcome.ExitCode, 1u);
    TBoxParts parts = SplitBox(outcome.BoxText);
    EXPECT_EQ(parts.ClassName, "Exception") << outcome.BoxText;
    EXPECT_NE(parts.Module.find("\\errors_fault_child.exe"), std::string::npos) << outcome.BoxText;

    const std::string lead = "Access violation at address ";
    const std::string tail = " in module 'errors_fault_child.exe'. Write of address "
                             "0000000000000000";
    ASSERT_EQ(parts.Message.rfind(lead, 0), 0u) << outcome.BoxText;
    ASSERT_GE(parts.Message.size(), lead.size() + 16 + tail.size()) << outcome.BoxText;
    EXPECT_EQ(parts.Message.substr(lead.size() + 16), tail) << outcome.BoxText;

    // The first line shows the fault address as an offset into the module's image.
    unsigned long long fault =
        std::strtoull(parts.Message.substr(lead.size(), 16).c_str(), nullptr, 16);
    unsigned long long shown = std::strtoull(parts.Address.c_str(), nullptr, 16);
    EXPECT_LT(shown, fault) << outcome.BoxText;
    EXPECT_EQ((fault - shown) % 0x10000, 0u)
        << "fault address minus shown address is not an image base: " << outcome.BoxText;
}

TEST(FaultTest, ProcessorFaultsBecomeTheirRunTimeErrors) {
    ExpectBox("div0", "Exception", "Division by zero");
    ExpectBox("stack", "Exception", "Stack overflow");
    ExpectBox("breakpoint", "Exception", "External exception 80000003");
}

// The C runtime's start-up code would resume these; they must end the process all the same,
// and soon.
TEST(FaultTest, FaultsResumedByTheRuntimeStillReachTheLastResort) {
    constexpr DWORD Soon = 10000;
    ExpectBox("raise:C000008C", "Exception", "Range check error", Soon);
    ExpectBox("raise:C0000095", "Exception", "Integer overflow", Soon);
    ExpectBox("raise:C0000092", "Exception", "Invalid floating point operation", Soon);
    ExpectBox("raise:80000002", "Exception", "External exception 80000002", Soon);
    ExpectBox("raise:C0000008", "Exception", "External exception c0000008", Soon);
    ExpectBox("x87", "Exception", "Invalid floating point operation", Soon);
}

TEST(FaultTest, ExceptionsShowTheirClassAndMessage) {
    ExpectBox("assert", "Exception", "Assertion failed (QStm, line 4321)");
    ExpectBox("russian", "Exception", "Не удалось определить временную папку");
    ExpectBox("instm", "EInStm", "Неверный символ");
    ExpectBox("runtime", "std::runtime_error", "Ошибка чтения файла C:\\нет.txt");
    ExpectBox("badalloc", "Exception", "Out of memory");
    ExpectBox("terminate", "EInStm", "Ожидается имя станции");
}

TEST(FaultTest, NormalEndKeepsTheBodysResultAndShowsNothing) {
    TChildOutcome outcome = RunFaultChild("none");
    EXPECT_FALSE(outcome.BoxFound) << outcome.BoxText;
    EXPECT_EQ(outcome.ExitCode, 0u);
}

} // namespace
