#include "RehearseScript.h"

#include "CheckReport.h"

#include "os/Cp1251.h"
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
    for (const TQTestStep& step : script.Steps) {
        outline.Comments.push_back(step.Comment.empty() ? NoCommentText : step.Comment);
        std::vector<std::string>& commands = outline.Commands.emplace_back();
        for (const TQTestCmd& cmd : step.Cmds)
            commands.push_back(cp1251::FromUtf8(CommandText(cmd, script.Sides)));
    }
    return outline;
}
