#include "errors/err.h"

#include <windows.h>

std::string SysErrorText(std::uint32_t code) {
    char buffer[256];
    // There are no arguments to give: a text with inserts such as "%1" would otherwise have
    // them read from nowhere, so they are left in the text as they stand.
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ARGUMENT_ARRAY |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, buffer, sizeof buffer, nullptr);
    std::string text(buffer, length);
    while (!text.empty() && (static_cast<unsigned char>(text.back()) <= 0x20 || text.back() == '.'))
        text.pop_back();
    return text;
}
