#include "conductor/QVenueBox.h"

#include "msgbox/QMsgBox.h"
#include "os/CodePage.h"
#include "util/CmdLine.h"
#include "venue/QVenueCheck.h"

namespace {

// Green, amber and red, dark enough to read on the box's face.
std::int32_t StateColor(TVenueState state) {
    switch (state) {
    case TVenueState::Ready:
        return 0x00008000;
    case TVenueState::Warning:
        return 0x000070C0;
    case TVenueState::Error:
        break;
    }
    return clRed;
}

void AddLine(TQMsgBox& box, const TVenueLine& line) {
    box.Font.Color = StateColor(line.State);
    box.Font.Bold = true;
    box.AddText(StateWord(line.State));
    box.Font.Color = clWindowText;
    box.Font.Bold = false;
    box.AddText("  " + line.Check + ": " + line.Found + "\r\n");
    for (const std::string& detail : line.Details)
        box.AddText("        " + detail + "\r\n");
}

} // namespace

bool ShowVenueCheck(const std::wstring& script) {
    TVenueRequest request;
    request.Script = win::HeldOrNear(script);
    request.Conductor = win::HeldOrNear(WideCmdLineParam(0));
    const TVenueReport report = CheckVenue(request);
    TQMsgBox box;
    box.Caption = "Проверка перед показом";
    for (const TVenueLine& line : report)
        AddLine(box, line);
    box.AddStdButton(IDOK);
    box.Execute();
    return !HasError(report);
}
