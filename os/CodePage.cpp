#include "os/CodePage.h"

#include "os/Cp1251.h"

namespace os {

bool ReadsTheSame(std::string_view text, TCodePageReader read) {
    return read(text) == cp1251::ToUtf16(text);
}

} // namespace os
