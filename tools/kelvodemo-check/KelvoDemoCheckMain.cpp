// kelvodemo-check: reads a demo script as the conductor does and reports on it.
#include "CheckRun.h"
#include "Console.h"

#include "os/Cp1251.h"

#include <exception>

namespace {

// The system's texts are cp1251: so are Windows' ANSI parameters; POSIX passes UTF-8.
std::string SystemText(const char* arg) {
#ifdef _WIN32
    return arg;
#else
    return cp1251::FromUtf8(arg);
#endif
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(SystemText(argv[i]));
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
