#include "conductor/KelvoDemo.h"

#include "conductor/QTrace.h"

#include "errors/err.h"
#include "shellreg/UnitReg2.h"
#include "toolkit/CmdLine.h"
#include "toolkit/MessageBox.h"

#include <string>

namespace {

// The demonstration itself is not built yet; saying so is better than ending as if it ran.
[[noreturn]] void RunDemo(const std::string& scriptPath) {
    throw Exception(ecSystem, "Демонстрация пока не поддерживается: " + scriptPath);
}

// What the first parameter asks for. Only the exact, case-sensitive switches count.
enum class TEntryAction { MissingParameter, Register, Unregister, Demo };

TEntryAction EntryActionOf(const std::string& firstParam) {
    if (firstParam.empty())
        return TEntryAction::MissingParameter;
    if (firstParam == "/register")
        return TEntryAction::Register;
    if (firstParam == "/unregister")
        return TEntryAction::Unregister;
    return TEntryAction::Demo;
}

} // namespace

void RunKelvoDemo() {
    // Once, before anything traces: a trace window opened later is not looked for.
    InitTrace();
    const std::string first = CmdLineParam(1);
    switch (EntryActionOf(first)) {
    case TEntryAction::MissingParameter:
        ShowOkMessage("Parameter missing");
        return;
    case TEntryAction::Register:
        RegisterFileTypes();
        return;
    case TEntryAction::Unregister:
        UnregisterFileTypes();
        return;
    case TEntryAction::Demo:
        RunDemo(first);
    }
}
