#include "errors/ErrIds.h"
#include "errors/ErrTexts.h"
#include "errors/ProcessorFault.h"
#include "os/Wide.h"
#include "util/CmdLine.h"

std::string LastResortText(const TUnhandledReport& report) {
    const void* base = nullptr;
    std::string module = ModuleOfAddress(report.Address, base);
    auto address = reinterpret_cast<std::uintptr_t>(report.Address);
    std::uintptr_t shown = 0;
    if (!module.empty()) {
        shown = address - reinterpret_cast<std::uintptr_t>(base);
    } else {
        // Where the module is unknown the address is shown as an offset into the program's
        // code, which starts one page into its image.
        module = ProgramPath();
        shown = address != 0 ? address - 0x1000 : 0;
    }
    std::string templ = ErrorText(IDS_EXCEPTION_TEMPLATE);
    return FormatText(templ.c_str(), {report.ClassName, module,
                                      reinterpret_cast<const void*>(shown), report.Message, ""});
}

void ShowLastResort(const TUnhandledReport& report) {
    std::string text = LastResortText(report);
    MessageBoxW(nullptr, win::Wide(text).c_str(), nullptr, MB_TASKMODAL | MB_ICONERROR);
}
