// Each fault is made in a child process, which must show the last-resort box and end with 1.
#include "toolkit/WinHandle.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

struct TChildOutcome {
    bool BoxFound = false;
    std::string BoxText;
    DWORD ExitCode = 0;
};

std::string ChildPath() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string dir(path, length);
    dir.erase(dir.find_last_of('\\') + 1);
    return dir + "errors_fault_child.exe";
}

struct TBoxSearch {
    DWORD ProcessId;
    HWND Found = nullptr;
};

BOOL CALLBACK MatchBox(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TBoxSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (owner == search->ProcessId && std::string(className) == "#32770") {
        search->Found = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForBox(DWORD processId, HANDLE process) {
    for (int i = 0; i < 300; ++i) {
        TBoxSearch search{processId};
        EnumWindows(&MatchBox, reinterpret_cast<LPARAM>(&search));
        if (search.Found)
            return search.Found;
        if (WaitForSingleObject(process, 100) == WAIT_OBJECT_0)
            return nullptr; // ended without a box
    }
    return nullptr;
}

// The box window exists a moment before its text is set: wait for the text.
std::string BoxText(HWND box) {
    char text[2048] = {};
    for (int i = 0; i < 100 && !text[0]; ++i) {
        if (!GetDlgItemTextA(box, 0xFFFF, text, sizeof text))
            Sleep(50);
    }
    return text;
}

TChildOutcome RunFaultChild(const std::string& fault) {
    TChildOutcome outcome;
    std::string commandLine = "\"";
    commandLine.append(ChildPath()).append("\" ").append(fault);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        ADD_FAILURE() << "cannot start " << commandLine;
        return outcome;
    }
    win::TKernelHandle process(info.hProcess);
    win::TKernelHandle thread(info.hThread);
    if (HWND box = WaitForBox(info.dwProcessId, process.get())) {
        outcome.BoxFound = true;
        outcome.BoxText = BoxText(box);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    if (WaitForSingleObject(process.get(), 20000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << fault << ": the child did not end";
        TerminateProcess(process.get(), 99);
    }
    GetExitCodeProcess(process.get(), &outcome.ExitCode);
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

void ExpectBox(const std::string& fault, const std::string& className, const std::string& message) {
    TChildOutcome outcome = RunFaultChild(fault);
    ASSERT_TRUE(outcome.BoxFound) << fault << ": no last-resort box; exit code "
                                  << outcome.ExitCode;
    TBoxParts parts = SplitBox(outcome.BoxText);
    EXPECT_EQ(parts.ClassName, className) << fault << ": box text " << outcome.BoxText;
    EXPECT_EQ(parts.Message, message) << fault << ": box text " << outcome.BoxText;
    EXPECT_NE(parts.Module.find(":\\"), std::string::npos)
        << fault << ": the module is not a full path: " << outcome.BoxText;
    EXPECT_EQ(outcome.ExitCode, 1u) << fault;
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
