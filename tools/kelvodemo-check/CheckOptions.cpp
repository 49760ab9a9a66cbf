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

// "--NAME VALUE" or "--NAME=VALUE" at I, which moves past the value; false for another
// argument.
bool ValueOption(const std::vector<std::string>& args, std::size_t& i, const std::string& name,
                 const char* what, std::string& value) {
    const std::string& arg = args[i];
    if (arg == name) {
        if (i + 1 >= args.size() || args[i + 1].empty())
            throw EUsage(name + " needs " + what);
        value = args[++i];
        return true;
    }
    if (arg.rfind(name + "=", 0) != 0)
        return false;
    value = arg.substr(name.size() + 1);
    if (value.empty())
        throw EUsage(name + " needs " + what);
    return true;
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
        } else if (!onlyFiles && arg == "--here") {
            options.Here = true;
        } else if (!onlyFiles &&
                   (ValueOption(args, i, "--out", "a folder", options.OutDir) ||
                    ValueOption(args, i, "--conductor", "a path", options.Conductor) ||
                    ValueOption(args, i, "--rehearsal", "a file", options.Rehearsal))) {
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
    if (!options.Here && !(options.Conductor.empty() && options.Rehearsal.empty()))
        throw EUsage("--conductor and --rehearsal go with --here");
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
       kelvodemo-check --here [--json] [--conductor PATH] [--rehearsal REPORT] SCRIPT

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

  --here       Checks this Windows machine for the demonstration of SCRIPT, as
               KelvoDemo.exe /check does, and prints one line for each check: its state
               (готово, внимание or ошибка) and what it found. The checks: the script; the
               Kelvo.exe beside KelvoDemo.exe (the product or the rehearsal station); the
               temporary folder (writable, free space, leftovers of an earlier run); a
               demonstration or station windows of this script already running; the system
               code page; the screens, the panel's place and whether the longest comment
               fits; screen saver, power plan and battery; the .KelvoDemo file type. A check
               that the system cannot answer says so. Exit status 0 when no check says
               ошибка, 1 otherwise. With --json the same as a JSON array of
               {"check","state","found","details"}. Only the Windows build has it.
  --conductor PATH  The KelvoDemo.exe that will run the script; by default the one beside
               this program, or in the folder above its tools folder.
  --rehearsal REPORT  The rehearsal's report.json: time-outs are measured against the
               rehearsal's total time instead of half an hour.

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
