#pragma once
// The program's own modal message box: dyed text that scrolls when it is too large, an
// optional icon, and a centred row of buttons. While it is open the thread's other windows
// are disabled and a nested message loop serves them all.
//
//     TQMsgBox box;
//     box.Caption = "...";
//     box.AddText("...");          // in box.Font, which may change between calls
//     box.AddStdButton(IDOK);      // none: a single "OK"
//     int result = box.Execute();  // the pressed button's id, 0 when closed without one

#include "msgbox/QDyedPainter.h"
#include "msgbox/QDyedText.h"
#include "os/WinHandle.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TQMsgBoxBtn {
    std::string Caption;
    std::int32_t Id = 0;    // the result value and the control id
    win::TWindow Handle{};  // while the button exists
    std::int32_t Width = 0; // worked out by the run
};
using TQMsgBoxBtnArray = std::vector<TQMsgBoxBtn>;

// An icon resource named by its name or its numeric id; none by default.
class TQIconName {
public:
    TQIconName() = default;
    TQIconName(WORD id) : Id_(id) {}
    TQIconName(const char* name) : Name_(name ? name : "") {}
    TQIconName(std::string name) : Name_(std::move(name)) {}

    explicit operator bool() const { return Id_ != 0 || !Name_.empty(); }
    // For LoadIconA.
    LPCSTR Get() const { return Id_ != 0 ? MAKEINTRESOURCEA(Id_) : Name_.c_str(); }

private:
    WORD Id_ = 0;
    std::string Name_;
};

class TQMsgBox : public TQDyedMessage {
public:
    TQMsgBox();
    TQMsgBox(const TQMsgBox&) = delete;
    TQMsgBox& operator=(const TQMsgBox&) = delete;
    ~TQMsgBox();

    // Back to the system's message font, no text, no buttons, no icon and the caption
    // "Сообщение". DefaultButton and Result stay as they are.
    void Reset();
    void AddButton(std::string caption, std::int32_t id);
    // A button of the standard captions: ids 1 (OK) to 9 (Помощь); any other adds nothing.
    void AddStdButton(std::int32_t id);
    // Shows the box with TEXT added, modally, with the thread's other windows disabled; then
    // resets it for the next use. Returns Result.
    std::int32_t Execute(std::string_view text = {});
    // The modal run itself, without the reset.
    std::int32_t Run(std::string_view text, bool disableOthers);

    HWND Owner = nullptr;
    std::int32_t BoxColor = clBtnFace;
    TQIconName Icon;
    std::string Caption;
    // The focused default button; after a run the pressed one, or -1 when none was.
    std::int32_t DefaultButton = 0;
    // The pressed button's id; 0 when the box was closed without one.
    std::int32_t Result = 0;

    const TQMsgBoxBtnArray& Buttons() const { return Buttons_; }
    const TQDyedLayout& TextLayout() const { return Layout_; }
    HWND MainWindow() const { return MainWnd_.get(); }
    HWND TextWindow() const { return TextWnd_.get(); }

    // The owner that every reset gives the box. Nothing in the program sets it, so boxes are
    // unowned top-level windows.
    static HWND DefaultOwner;

private:
    struct TClientSize {
        std::int32_t Width = 0;
        std::int32_t Height = 0;
    };
    class TClasses;
    class TDisabledWindows;

    void TraceMessage() const;
    TClientSize Measure();
    std::int32_t MeasureCaption(HDC dc, const NONCLIENTMETRICSA& metrics) const;
    void LoadIconRoom(std::int32_t& iconH);
    void MeasureButtons(HDC dc, std::int32_t tmHeight);
    void CreateMainWindow(TClientSize client);
    void RunLoop();

    // Window procedures and what they do for the box. The main and the text window are bound
    // to the box at their creation; a window of their classes made without a box is an
    // impossible state.
    LRESULT OnMainMessage(HWND w, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnTextMessage(HWND w, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK MainWithoutBox(HWND w, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK TextWithoutBox(HWND w, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK ButtonWindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
    void OnMainCreate(HWND w);
    void OnMainSize(std::int32_t cw, std::int32_t ch);
    void OnMainPaint(HWND w);
    void OnCommand(std::int32_t id);
    void OnMainDestroy();
    void OnTextSize(HWND w);
    void OnTextPaint(HWND w);
    void OnScroll(int bar, int request, int track);
    bool OnButtonKey(WPARAM key);
    void SetScrollBars(std::int32_t cw, std::int32_t ch);
    std::int32_t TextWidth(std::int32_t cw) const;
    std::int32_t TextHeight(std::int32_t ch) const;

    TQDyedPainter Painter_; // the message font, the font and brush of the piece drawn, the DC
    TQDyedLayout Layout_;   // the text's lines for the text window's width
    std::vector<HWND> Disabled_;
    // The box's windows, each from its creation message to its last one.
    win::TWindow TextWnd_;
    TQPaintView View_; // the scroll position and size of the text window, the box's colour
    win::TWindow MainWnd_;
    bool Destroyed_ = true;
    // Off while a failed run takes its windows down: their destruction then asks no loop to
    // end.
    bool QuitOnDestroy_ = false;
    int QuitCode_ = 0; // the exit code of the quit request that destruction posts
    bool InTextSize_ = false;
    win::TBrush ClassBrush_;
    std::int32_t Margin_ = 0;
    std::int32_t RightMargin_ = 0;
    std::int32_t LineH_ = 0;
    std::int32_t IconX_ = 0;
    HICON IconHandle_ = nullptr; // shared icons: never destroyed
    TQMsgBoxBtnArray Buttons_;
    std::int32_t ButtonH_ = 0;
    std::int32_t ButtonsW_ = 0;
    std::int32_t Gap_ = 0;
    win::TFont ButtonFont_;
    WNDPROC OldButtonProc_ = nullptr;
};
