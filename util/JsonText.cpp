#include "util/JsonText.h"

#include <cstdio>

std::string JsonString(std::string_view utf8) {
    std::string out = "\"";
    for (char c : utf8) {
        const auto code = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (code < 0x20 || code == 0x7F) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", code);
                out += escape;
            } else {
                out += c;
            }
        }
    }
    out += "\"";
    return out;
}
