#include "protocol/QPanelGeometry.h"

#include "os/Dpi.h"
#include "protocol/QWindowNames.h"
#include "util/TextUtils.h"

TPanelRows PanelRows(const RECT& workArea) {
    const int h = workArea.bottom - workArea.top;
    return {workArea.top + ScaleInt(h, StationTwentieths, WorkAreaTwentieths),
            ScaleInt(h, WorkAreaTwentieths - StationTwentieths, WorkAreaTwentieths)};
}

TPanelLayout PanelLayout(UINT dpi) {
    const auto scaled = [dpi](int figure) { return win::Scaled(figure, dpi); };
    const auto rect = [&](int left, int top, int width, int height) {
        return RECT{scaled(left), scaled(top), scaled(left) + scaled(width),
                    scaled(top) + scaled(height)};
    };
    return {scaled(2), scaled(41), -scaled(11), rect(8, 15, 112, 15), rect(120, 8, 95, 25)};
}

SIZE CommentBoxSize(const RECT& windowRect, UINT dpi) {
    // The panel is a top-level window with a caption and a sizing frame, and no menu.
    const RECT frame = win::FrameForDpi(WS_OVERLAPPEDWINDOW, 0, dpi);
    const LONG clientW = windowRect.right - windowRect.left - (frame.right - frame.left);
    const LONG clientH = windowRect.bottom - windowRect.top - (frame.bottom - frame.top);
    const TPanelLayout layout = PanelLayout(dpi);
    return {clientW - 2 * layout.Border, clientH - layout.BarHeight - 3 * layout.Border};
}
