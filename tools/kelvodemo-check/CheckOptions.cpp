#include "CheckOptions.h"

namespace {

bool EndsWithSeparator(const std::string& dir) {
    if (dir.empty())
        return false;
    const char last = dir.back();
#ifdef _WIN32
    return last == '\\' || last == '/' || last == ':';
#else
    return last == '/';
#endif
}

} // namespace

TCheckOptions ParseCheckOptions(const std::vector<std::string>& args) {
    TCheckOptions options;
    bool onlyFiles = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!onlyFiles && (arg == "--help" || arg == "-h")) {
            options.Help = true;
        } else if (!onlyFiles && arg == "--json") {
            options.Json = true;
        } else if (!onlyFiles && arg == "--out") {
            if (i + 1 >= args.size() || args[i + 1].empty())
                throw EUsage("--out needs a folder");
            options.OutDir = args[++i];
        } else if (!onlyFiles && arg.rfind("--out=", 0) == 0) {
            options.OutDir = arg.substr(6);
            if (options.OutDir.empty())
                throw EUsage("--out needs a folder");
        } else if (!onlyFiles && arg == "--") {
            onlyFiles = true;
        } else if (!onlyFiles && arg.size() > 1 && arg[0] == '-') {
            throw EUsage("unknown option " + arg);
        } else if (options.Script.empty()) {
            options.Script = arg;
        } else {
            throw EUsage("more than one script given");
        }
    }
    if (!options.Help && options.Script.empty())
        throw EUsage("no script given");
    return options;
}

std::string FolderPrefix(const std::string& dir) {
    if (EndsWithSeparator(dir))
        return dir;
#ifdef _WIN32
    return dir + "\\";
#else
    return dir + "/";
#endif
}

const char* CheckUsageText() {
    return R"(Usage: kelvodemo-check [--json] [--out DIR] SCRIPT

Reads the demo script SCRIPT (a .KelvoDemo file) exactly as the demo conductor reads it,
without starting any station and without opening any window, and reports what it found.
A script is Windows-1251 or UTF-8 (with or without the byte-order mark); UTF-8 is
converted to Windows-1251 first, and a character that Windows-1251 lacks is an error.

  (no option)  A summary: the encoding read (cp1251 or utf-8), the stations with their
               setup text, then every step with its comment and its commands in script
               words (Alpha.Sync, Alpha.SendTo(Beta); a station whose name is not a Latin
               identifier is shown by its number).
  --json       The same as UTF-8 JSON instead of the summary:
               {"encoding":"cp1251"|"utf-8",
                "stations":[{"name":...,"setup":...,"schemeFile":...}],
                "steps":[{"comment":...,"commands":[{"side":0,"msg":1027,"arg":-1}]}]}
               side and arg are 0-based station indices (arg is -1 except for SendTo);
               msg is the message code: 1026 Refresh, 1027 Sync, 1028 Next, 1029 SendTo,
               1031 ForceOk, 1032 CompareByCRC.
  --out DIR    Also writes every station's scheme file, as the conductor would write it
               into the temporary folder, as DIR/<station name>.kelvo (DIR must exist).
               Without --out nothing is written, and schemeFile is <name>.kelvo.
  --help       This text.

Exit status: 0 when the script reads without error (warnings included); 1 for a syntax
error, a script that cannot be read (the reason follows on a second line) or a scheme
file that cannot be written; 2 for a wrong command line.

A syntax error is reported as
  SCRIPT:LINE:COL: MESSAGE
with LINE and COL counted from 1 at the first non-blank character at or after the error,
followed by the lines around it and a ^ under the error column. Messages are the
conductor's own (Russian) texts.

Two stations whose names differ only in letter case are an error: they would share a
scheme file and a window.

Warnings, which do not change the exit status, start with "SCRIPT: warning:":
  - the script declares no stations (the panel would wait until it is closed);
  - a step other than the last has no commands (the button only moves on to the next step);
  - the script has no steps;
  - no command addresses a station (neither as the station of a command nor as the
    target of a SendTo);
  - a station receives fewer .Next commands before the last step than its scheme has
    sections after the first (its window stays behind the panel's steps).
Errors and warnings go to standard error, the summary and the JSON to standard output.
)";
}
