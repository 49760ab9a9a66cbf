#include "Clipboard.h"

#include "os/WinHandle.h"

#include <cstring>

bool CopyTextToClipboard(HWND owner, const std::string& text) {
    win::TGlobal block(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
    if (!block)
        return false;
    {
        const win::TGlobalLock data(block.get());
        if (!data)
            return false;
        std::memcpy(data.get(), text.c_str(), text.size() + 1);
    }
    const win::TClipboard clipboard(owner);
    if (!clipboard)
        return false;
    EmptyClipboard();
    if (!SetClipboardData(CF_TEXT, block.get()))
        return false;
    block.release(); // the clipboard's now
    return true;
}
