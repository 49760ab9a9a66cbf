#include "Clipboard.h"

#include "os/Wide.h"
#include "os/WinHandle.h"

#include <cstring>

// As UTF-16, which every program reads the same on any system code page.
bool CopyTextToClipboard(HWND owner, const std::string& text) {
    const std::wstring wide = win::Wide(text);
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    win::TGlobal block(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!block)
        return false;
    {
        const win::TGlobalLock data(block.get());
        if (!data)
            return false;
        std::memcpy(data.get(), wide.c_str(), bytes);
    }
    const win::TClipboard clipboard(owner);
    if (!clipboard)
        return false;
    EmptyClipboard();
    if (!SetClipboardData(CF_UNICODETEXT, block.get()))
        return false;
    block.release(); // the clipboard's now
    return true;
}
