// kelvodemo-check: reads a demo script as the conductor does and reports on it.
#include "CheckRun.h"

#include "os/Cp1251.h"
#include "util/Console.h"

#ifdef _WIN32
#include "os/CodePage.h"
#include "util/CmdLine.h"
#endif

#include <exception>

namespace {

#ifdef _WIN32
// Read wide, so that they are the same on any system code page. A script's path that code
// page 1251 or the system's cannot hold is given in its short form, which opens as it is.
std::vector<std::string> Arguments(int, char**) {
    std::vector<std::string> args;
    for (int i = 1; i <= CmdLineParamCount(); ++i)
        args.push_back(win::HeldOrNear(WideCmdLineParam(i)));
    return args;
}
#else
// POSIX passes UTF-8; the system's texts are cp1251.
std::vector<std::string> Arguments(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(cp1251::FromUtf8(argv[i]));
    return args;
}
#endif

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args = Arguments(argc, argv);
    TCheckOutput output;
    int status = 1;
    try {
        status = RunCheck(args, output);
    } catch (const std::exception& e) {
        output.Err += std::string("kelvodemo-check: ") + cp1251::ToUtf8(e.what()) + "\n";
    }
    WriteStderr(output.Err);
    WriteStdout(output.Out);
    return status;
}
