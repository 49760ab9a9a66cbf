#include "util/CmdLine.h"

#include "util/LineBreaks.h"

#include <vector>

namespace {

// Blanks, and empty pairs of double quotes, between tokens.
std::size_t SkipSeparators(std::string_view s, std::size_t p) {
    while (p < s.size()) {
        if (IsBlank(s[p]))
            ++p;
        else if (s[p] == '"' && p + 1 < s.size() && s[p + 1] == '"')
            p += 2;
        else
            break;
    }
    return p;
}

// The end of the token at p: the first blank outside quotes. The text holds no zero.
std::size_t TokenEnd(std::string_view s, std::size_t p) {
    bool quoted = false;
    for (; p < s.size(); ++p) {
        if (s[p] == '"')
            quoted = !quoted;
        else if (!quoted && IsBlank(s[p]))
            break;
    }
    return p;
}

std::string Unquoted(std::string_view token) {
    if (token.size() > 1 && token.front() == '"' && token.back() == '"')
        token = token.substr(1, token.size() - 2);
    return std::string(token);
}

std::vector<std::string> Tokens(std::string_view cmdLine) {
    // The command line is a zero-terminated text: nothing after a zero belongs to it.
    cmdLine = cmdLine.substr(0, cmdLine.find('\0'));
    std::vector<std::string> tokens;
    for (std::size_t p = SkipSeparators(cmdLine, 0); p < cmdLine.size();) {
        std::size_t end = TokenEnd(cmdLine, p);
        tokens.push_back(Unquoted(cmdLine.substr(p, end - p)));
        p = SkipSeparators(cmdLine, end);
    }
    return tokens;
}

} // namespace

std::string CmdLineParamOf(std::string_view cmdLine, int i) {
    std::vector<std::string> tokens = Tokens(cmdLine);
    if (i < 0 || static_cast<std::size_t>(i) >= tokens.size())
        return {};
    return tokens[static_cast<std::size_t>(i)];
}

int CmdLineParamCountOf(std::string_view cmdLine) {
    std::vector<std::string> tokens = Tokens(cmdLine);
    return tokens.empty() ? 0 : static_cast<int>(tokens.size()) - 1;
}
