#include "RehearseOptions.h"

#include <charconv>

namespace {

std::uint32_t NumberOf(const std::string& option, const std::string& text) {
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        throw ERehearseUsage(option + " needs a whole number, not '" + text + "'");
    return value;
}

} // namespace

TRehearseOptions ParseRehearseOptions(const std::vector<std::string>& args) {
    TRehearseOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size())
                throw ERehearseUsage(arg + " needs a value");
            return args[++i];
        };
        if (arg == "--help" || arg == "-h") {
            options.Help = true;
        } else if (arg == "--json") {
            options.JsonFile = value();
        } else if (arg == "--shots") {
            options.ShotsDir = value();
        } else if (arg == "--no-shots") {
            options.ShotsDir.clear();
        } else if (arg == "--timeout") {
            options.TimeoutMs = NumberOf(arg, value()) * 1000;
        } else if (arg == "--settle") {
            options.SettleMs = NumberOf(arg, value());
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw ERehearseUsage("unknown option " + arg);
        } else if (options.Script.empty()) {
            options.Script = arg;
        } else {
            throw ERehearseUsage("more than one script given");
        }
    }
    if (!options.Help && options.Script.empty())
        throw ERehearseUsage("no script given");
    if (options.TimeoutMs == 0)
        throw ERehearseUsage("--timeout must be at least 1 second");
    return options;
}

const char* RehearseUsageText() {
    return "Usage: kelvodemo-rehearse [options] SCRIPT\n"
           "Runs the demonstration SCRIPT unattended: starts KelvoDemo.exe (next to this\n"
           "program), presses the panel's button at every step as a presenter would, and\n"
           "checks that every station ends and no scheme file is left.\n"
           "\n"
           "  --json FILE      also write the report as UTF-8 JSON to FILE\n"
           "  --shots DIR      screenshots of every step as PNG files, and report.html, the\n"
           "                   report as a page, beside them (default rehearsal-shots)\n"
           "  --no-shots       take no screenshots\n"
           "  --timeout SEC    how long the panel may wait for its stations (default 30)\n"
           "  --settle MS      pause before each screenshot (default 300)\n"
           "\n"
           "Exit status: 0 the rehearsal passed, 1 it failed, 2 wrong command line or\n"
           "unreadable script.\n";
}
