// The script-error box as the presenter sees it, caption and frame included, written to the
// bitmap file KELVO_BOX_PICTURE: the pictures of two system code pages must be the same.
#include "msgbox/QStmErrorText.h"
#include "tests/msgbox/BoxDriver.h"

#include "os/Platform.h"
#include "os/WinHandle.h"

#include <cstdlib>
#include <string>

namespace {

// The window's pixels, top row first, as 32-bit BGRA: a bitmap file's header and bits.
std::string Picture(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    // The window's own pixels, frame included: the screen may not show them yet.
    const win::TWindowDC screen(window, win::TWindowDC::WholeWindow);
    const win::TMemoryDC memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const win::TBitmap bitmap(
        CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap)
        return {};
    {
        const win::TSelectObject selected(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, w, h, screen.get(), 0, 0, SRCCOPY);
    }
    const std::size_t size = static_cast<std::size_t>(w) * h * 4;
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof file + sizeof info.bmiHeader + size), 0,
                          0, static_cast<DWORD>(sizeof file + sizeof info.bmiHeader)};
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    bytes.append(static_cast<const char*>(bits), size);
    return bytes;
}

TEST(BoxPicture, IsTakenOfTheScriptErrorBox) {
    const char* path = std::getenv("KELVO_BOX_PICTURE");
    ASSERT_TRUE(path) << "KELVO_BOX_PICTURE names no file";
    TQInStm stm("'Alpha':DemoStation();\r\n\r\nAlpha.Synk;\r\n");
    TQMsgBox box;
    box.Caption = stm.ErrorCaption;
    box.Icon = TQIconName(static_cast<WORD>(reinterpret_cast<ULONG_PTR>(IDI_HAND)));
    AddSyntaxError(box, stm, "Неправильная команда", 30);
    int ticks = 0;
    bool written = false;
    boxdriver::ExecuteWith(
        box, {boxdriver::WaitFor("the box to be painted", [&](TQMsgBox&) { return ++ticks > 10; }),
              boxdriver::Do([&](TQMsgBox& b) {
                  written = os::WriteWholeFile(path, Picture(b.MainWindow()));
              }),
              boxdriver::Close()});
    EXPECT_TRUE(written) << path;
}

} // namespace
