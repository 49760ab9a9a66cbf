// The command-line splitter over random command lines.
#include "FuzzSupport.h"
#include "util/CmdLine.h"

#include <algorithm>

namespace {

using fuzz::Require;

bool HasBlank(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) <= 32)
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The splitting looks at a few characters at a time; a kilobyte shows all of it, and
    // every call below splits the whole line again.
    const std::string_view line = fuzz::Bytes(data, std::min<std::size_t>(size, 1024));
    const int count = CmdLineParamCountOf(line);
    Require(count >= 0, "a count is never negative");
    Require(CmdLineParamOf(line, -1).empty() && CmdLineParamOf(line, count + 1).empty(),
            "nothing past the last parameter");
    // Every token, unquoted or not, stands in the line after the one before it. Each call
    // splits the whole line, so of a long line only the first and the last tokens are read.
    constexpr int Ends = 4;
    std::size_t from = 0;
    for (int i = 0; i <= count; i = i == Ends && count - Ends > i ? count - Ends : i + 1) {
        const std::string param = CmdLineParamOf(line, i);
        Require(i == 0 || !param.empty(), "the parameters counted are not empty");
        Require(param.find('\0') == std::string::npos, "the line ends at its first zero");
        Require(!HasBlank(param) || param.find('"') != std::string::npos ||
                    line.find('"' + param + '"', from) != std::string_view::npos,
                "blanks stand in a parameter only between quotes");
        std::size_t at = line.find(param, from);
        if (at == std::string_view::npos)
            at = line.find('"' + param + '"', from);
        Require(at != std::string_view::npos, "a parameter is a piece of the line");
        from = at + param.size();
    }
    return 0;
}
