#pragma once
// The system's texts are code page 1251; a narrow Windows function reads them in the system's
// own code page, which garbles them anywhere but on a Russian Windows. Every text that a person
// reads goes to the wide function instead, converted here.

#include "os/Cp1251.h"

#include <string>
#include <string_view>

namespace win {

inline std::wstring Wide(std::string_view text) {
    const std::u16string units = cp1251::ToUtf16(text);
    return std::wstring(units.begin(), units.end());
}

// Characters that code page 1251 lacks become '?'; LOST, when given, counts them.
inline std::string Narrow(std::wstring_view text, std::size_t* lost = nullptr) {
    return cp1251::FromUtf16(std::u16string(text.begin(), text.end()), lost);
}

} // namespace win
