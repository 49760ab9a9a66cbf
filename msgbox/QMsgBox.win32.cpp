#include "msgbox/QMsgBox.h"

#include "msgbox/QMsgBoxParts.h"
#include "msgbox/QProgressLock.h"
#include "protocol/QTrace.h"

#include <iterator>

HWND TQMsgBox::DefaultOwner = nullptr;

NONCLIENTMETRICSA NonClientMetrics() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return metrics;
}

namespace {

const char* StdButtonCaption(std::int32_t id) {
    static const char* const captions[] = {"OK", "Отмена", "Прервать", "Повторить", "Пропустить",
                                           "Да", "Нет",    "Закрыть",  "Помощь"};
    if (id < IDOK || id > static_cast<std::int32_t>(std::size(captions)))
        return nullptr;
    return captions[id - IDOK];
}

} // namespace

TQMsgBox::TQMsgBox() {
    Reset();
}

TQMsgBox::~TQMsgBox() = default;

void TQMsgBox::Reset() {
    const LOGFONTA& message = NonClientMetrics().lfMessageFont;
    Painter_.SetLogFont(message);
    Font = TQMsgBoxFont{};
    Font.Name = message.lfFaceName;
    Font.Height = message.lfHeight;
    Font.Bold = message.lfWeight == FW_BOLD;
    Font.Italic = message.lfItalic != 0;
    Font.Underline = message.lfUnderline != 0;
    Owner = DefaultOwner;
    BoxColor = clBtnFace;
    Icon = TQIconName();
    Caption = "Сообщение";
    Pieces.clear();
    Layout_ = TQDyedLayout();
    Buttons_.clear();
}

void TQMsgBox::AddButton(std::string caption, std::int32_t id) {
    Buttons_.push_back(TQMsgBoxBtn{std::move(caption), id});
}

void TQMsgBox::AddStdButton(std::int32_t id) {
    if (const char* caption = StdButtonCaption(id))
        AddButton(caption, id);
}

std::int32_t TQMsgBox::Execute(std::string_view text) {
    {
        const TQProgressHold hold;
        Run(text, true);
    }
    Reset();
    return Result;
}

void TQMsgBox::TraceMessage() const {
    // A long message is thousands of lines to build for nobody.
    if (!Tracing())
        return;
    Trace("QMsgBox: ");
    for (const TQDyedText& piece : Pieces)
        Trace("  " + piece.Text);
}
