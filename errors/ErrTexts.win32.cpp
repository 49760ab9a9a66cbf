#include "errors/ErrTexts.h"

#include <windows.h>

std::string ErrorText(unsigned id) {
    char buffer[256];
    int length = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    if (length > 0)
        return std::string(buffer, static_cast<std::size_t>(length));
    // A program linked without the resource script still reports its errors.
    const char* text = BuiltInErrorText(id);
    return text ? text : "";
}
