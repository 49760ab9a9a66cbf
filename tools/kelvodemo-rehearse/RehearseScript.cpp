#include "RehearseScript.h"

#include "protocol/QPanelTexts.h"
#include "script/QTestMessage.h"

TScriptOutline ReadScriptOutline(const std::string& path) {
    TQInStm stm;
    stm.Mode = smScript;
    stm.Options = RaiseError;
    stm.LoadFromFile(path);
    const TQDemoScript script = ReadDemoText(stm, std::string());
    TScriptOutline outline;
    for (const TQTestSide& side : script.Sides)
        outline.Stations.push_back(side.Name);
    for (const TQTestStep& step : script.Steps)
        outline.Comments.push_back(step.Comment.empty() ? NoCommentText : step.Comment);
    return outline;
}
