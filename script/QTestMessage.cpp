#include "script/QTestMessage.h"

#include "toolkit/TextUtils.h"

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
    for (const TQTestSide& side : sides)
        side.Scheme.SaveToFile(side.SchemeFile);
}

void ReadDemoScript(const std::string& path) {
    TQInStm stm;
    stm.Mode = 3;
    stm.LoadFromFile(path);
    TQDemoScript script = ReadDemoText(stm, TempDir);
    Sides = std::move(script.Sides);
    Steps = std::move(script.Steps);
    CurStep = static_cast<std::int32_t>(Steps.size()) - 1;
    SaveSchemes(Sides);
}
