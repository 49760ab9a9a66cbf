#pragma once
// The demo script: its stations, its steps and their commands, read from a .KelvoDemo file
// together with every station's scheme file.

#include "os/CodePage.h"
#include "protocol/QProtocol.h"
#include "script/QDualNode.h"
#include "textstream/QStm.h"

#include <cstdint>
#include <string>
#include <vector>

// One station command of a step.
struct TQTestCmd {
    std::int32_t Side; // the addressed station; for QM_SEND the source
    std::int32_t Msg;  // QM_REFRESH .. QM_COMPAREBYCRC
    std::int32_t Arg;  // for QM_SEND the target station, otherwise -1
};
using TQTestCmdArray = std::vector<TQTestCmd>;

struct TQTestSide {
    std::string Name;       // as declared; names the scheme file and the station's window
    std::string Setup;      // inner text of the declaration's brackets
    TQOutStm Scheme;        // the scheme file, collected while the script is read
    std::string SchemeFile; // scheme folder + Name + ".kelvo"
    std::string InputDir;   // the exchange folders, known from the station's first QM_OK
    std::string OutputDir;
};

struct TQTestStep {
    TQTestCmdArray Cmds;
    std::string Comment; // empty when the step has none
};

// The station table and the step list of the demonstration.
extern std::vector<TQTestSide> Sides;
extern std::vector<TQTestStep> Steps;
// The step being read, later the step being shown or executed; -1 before the first one.
extern std::int32_t CurStep;

// Index of the first station of `sides` whose name equals `name` (locale-aware,
// case-sensitive), or -1.
int FindSideIn(const std::vector<TQTestSide>& sides, const std::string& name);
int FindSide(const std::string& name);

// A script as read, before anything is written: the tables, and where in the text each
// station was declared and each step began.
struct TQDemoScript {
    std::vector<TQTestSide> Sides;
    std::vector<TQTestStep> Steps;
    std::vector<TQPos> SidePos;
    std::vector<TQPos> StepPos;
};

// Reads the script held by `stm`, which must be in mode 3, with every station's scheme file
// collected in memory; SchemeFile := schemeDir + name + ".kelvo". Syntax errors are
// reported through the stream. A station name that NAMEREADER reads otherwise than code page
// 1251 is one: by default the system's narrow functions, through which the name reaches the
// station.
TQDemoScript ReadDemoText(TQInStm& stm, const std::string& schemeDir,
                          os::TCodePageReader nameReader = &os::InSystemCodePage);

// Writes every station's scheme file, in table order.
void SaveSchemes(const std::vector<TQTestSide>& sides);

// Reads the script file into Sides and Steps and writes the scheme files into `schemeDir`
// (a folder path with its trailing separator), all of them only after the whole script has
// been read. On any failure the tables are left as they were.
void ReadDemoScript(const std::string& path, const std::string& schemeDir);
