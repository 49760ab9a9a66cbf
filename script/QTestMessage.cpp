#include "script/QTestMessage.h"

#include "os/Platform.h"
#include "util/TextUtils.h"

#include <utility>

std::vector<TQTestSide> Sides;
std::vector<TQTestStep> Steps;
std::int32_t CurStep = -1;

int FindSideIn(const std::vector<TQTestSide>& sides, const std::string& name) {
    for (std::size_t i = 0; i < sides.size(); ++i)
        if (CompareTextLocale(sides[i].Name, name) == 0)
            return static_cast<int>(i);
    return -1;
}

int FindSide(const std::string& name) {
    return FindSideIn(Sides, name);
}

void SaveSchemes(const std::vector<TQTestSide>& sides) {
    std::size_t written = 0;
    try {
        for (; written < sides.size(); ++written)
            sides[written].Scheme.SaveToFile(sides[written].SchemeFile);
    } catch (...) {
        // All or none: the files already written would otherwise stay behind for good.
        for (std::size_t i = 0; i < written; ++i)
            os::DeleteWholeFile(sides[i].SchemeFile);
        throw;
    }
}

void ReadDemoScript(const std::string& path, const std::string& schemeDir) {
    TQInStm stm;
    stm.Mode = smScript;
    stm.LoadFromFile(path);
    TQDemoScript script = ReadDemoText(stm, schemeDir);
    // The tables take the stations only once their files are written: whoever ends the
    // program after a failed write would otherwise quit the stations and delete the scheme
    // files of another demonstration that happens to use the same names.
    SaveSchemes(script.Sides);
    Sides = std::move(script.Sides);
    Steps = std::move(script.Steps);
    CurStep = static_cast<std::int32_t>(Steps.size()) - 1;
}
