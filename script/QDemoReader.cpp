// The demo script reader: station declarations, then steps of caption, comment, node lines
// and commands, each step's text appended to every station's scheme as soon as it is read.
#include "os/CodePage.h"
#include "protocol/QWindowNames.h"
#include "script/QStationName.h"
#include "script/QTestMessage.h"
#include "util/TextUtils.h"

#include <array>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace {

void WriteSchemeHead(TQOutStm& scheme, const std::string& setup) {
    scheme.WriteText(setup);
    scheme.NewLine();
    scheme.WriteLn("Demo data:");
    scheme.WriteLn(".Interactive:=true;");
    scheme.NewLine();
}

// The station gets its scheme file's name on its command line and titles its window with it,
// both read in the system's code page: a name that reads otherwise there would reach it
// garbled, and on code page 65001 two Cyrillic names would become one.
std::string NameOutsideCodePage() {
    return "Имя станции искажается в кодовой странице " + IntToDecimal(os::SystemCodePage()) +
           " этой системы: дайте станции латинское имя";
}

class TQDemoReader {
public:
    TQDemoReader(TQInStm& stm, const std::string& schemeDir, os::TCodePageReader nameReader)
        : Stm(stm), SchemeDir(schemeDir), NameReader(nameReader) {}

    TQDemoScript Read() {
        ReadDeclarations();
        while (!Stm.AtEnd()) {
            const TQPos start = Stm.Cur();
            ReadStep();
            // Reached only when the stream reports errors without raising them: a round
            // that consumed nothing would repeat itself for ever.
            if (Stm.Cur() == start)
                break;
        }
        return std::move(Script);
    }

private:
    void ReadDeclarations();
    void ReadStep();
    void ReadCommands();
    bool AtNextStep();
    bool ReadCommand(std::int32_t side);
    std::int32_t ReadSideRef();
    std::int64_t FindSideByName(const std::string& name);
    void AddCmd(std::int32_t side, std::int32_t msg, std::int32_t arg);
    void WriteStep(const std::string& caption, const TQDualNode& root);

    TQInStm& Stm;
    const std::string& SchemeDir;
    os::TCodePageReader NameReader;
    TQDemoScript Script;
    std::int32_t CurStep = -1;
    // Kept from step to step, so that emitting a step's text allocates nothing new.
    std::string StepText;
    TQDualNode::TEmitRoom EmitRoom;
    // Station names looked up so far. The station table is complete before the first
    // command, and a locale comparison per station and reference is slow on Windows.
    std::unordered_map<std::string, int> KnownRefs;
    // The stations' names as file names.
    std::unordered_set<std::string> NameKeys;
};

void TQDemoReader::ReadDeclarations() {
    while (Stm.IsString()) {
        const TQPos start = Stm.Cur();
        std::string name = Stm.ReadString();
        if (!Stm.AcceptLiteral(":DemoStation")) {
            Stm.SetPos(start); // the first node line of the first step
            return;
        }
        if (!IsValidStationName(name))
            Stm.Error("Недопустимое имя станции", start);
        else if (!os::ReadsTheSame(name, NameReader))
            Stm.Error(NameOutsideCodePage(), start);
        else if (!NameKeys.insert(StationNameKey(name)).second)
            Stm.Error("Станция с таким именем уже есть", start);
        TQTestSide& side = Script.Sides.emplace_back();
        Script.SidePos.push_back(start);
        side.Name = std::move(name);
        side.Setup = Stm.ReadBrackets();
        side.SchemeFile = SchemeDir + StationTitle(side.Name);
        WriteSchemeHead(side.Scheme, side.Setup);
        Stm.ExpectLiteral(";");
    }
}

void TQDemoReader::ReadStep() {
    TQDualNode root;
    std::string caption;
    Script.Steps.emplace_back();
    Script.StepPos.push_back(Stm.Cur());
    CurStep = static_cast<std::int32_t>(Script.Steps.size() - 1);
    if (Stm.AcceptLiteral(".Caption(")) {
        caption = Stm.ReadString();
        Stm.ExpectLiteral(");");
    }
    if (Stm.AcceptLiteral(".Comment(")) {
        std::string& comment = Script.Steps[static_cast<std::size_t>(CurStep)].Comment;
        while (Stm.IsString())
            comment += Stm.ReadString();
        Stm.ExpectLiteral(");");
    }
    while (Stm.IsString())
        root.Add(TQDualNode::Load(Stm));
    ReadCommands();
    WriteStep(caption, root);
}

// A string constant, a caption or a comment begins the next step. A caption or comment
// word without its "(" could begin none, so it is reported here rather than left unread.
bool TQDemoReader::AtNextStep() {
    if (Stm.IsString())
        return true;
    for (std::string_view word : {".Caption(", ".Comment("}) {
        if (Stm.IsLiteral(word.substr(0, word.size() - 1))) {
            if (!Stm.IsLiteral(word))
                Stm.ExpectLiteral(word);
            return true;
        }
    }
    return false;
}

void TQDemoReader::ReadCommands() {
    while (!Stm.AtEnd() && !AtNextStep()) {
        const TQPos start = Stm.Cur();
        const std::int32_t side = ReadSideRef();
        if (!ReadCommand(side))
            Stm.Error("Неправильная команда");
        Stm.ExpectLiteral(";");
        if (Stm.Cur() == start)
            break; // errors not raised: see Read
    }
}

bool TQDemoReader::ReadCommand(std::int32_t side) {
    for (const TQCommandWord& word : CommandWords) {
        if (!Stm.AcceptLiteral(word.Keyword))
            continue;
        std::int32_t target = -1;
        if (word.Msg == QM_SEND) {
            Stm.ExpectLiteral("(");
            target = ReadSideRef();
            Stm.ExpectLiteral(")");
        }
        AddCmd(side, word.Msg, target);
        return true;
    }
    return false;
}

std::int32_t TQDemoReader::ReadSideRef() {
    std::int64_t index;
    if (Stm.IsIdent())
        index = FindSideByName(Stm.ReadIdent());
    else if (Stm.IsLiteral("."))
        index = 0;
    else
        index = std::int64_t{Stm.ReadInt()} - 1; // wider, so that the lowest number cannot wrap
    if (index < 0 || index >= static_cast<std::int64_t>(Script.Sides.size())) {
        Stm.Error("Неправильная ссылка");
        return -1;
    }
    return static_cast<std::int32_t>(index);
}

std::int64_t TQDemoReader::FindSideByName(const std::string& name) {
    auto [known, added] = KnownRefs.try_emplace(name, 0);
    if (added)
        known->second = FindSideIn(Script.Sides, name);
    return known->second;
}

void TQDemoReader::AddCmd(std::int32_t side, std::int32_t msg, std::int32_t arg) {
    Script.Steps[static_cast<std::size_t>(CurStep)].Cmds.push_back({side, msg, arg});
}

void TQDemoReader::WriteStep(const std::string& caption, const TQDualNode& root) {
    std::string& text = StepText;
    for (std::size_t i = 0; i < Script.Sides.size(); ++i) {
        TQOutStm& scheme = Script.Sides[i].Scheme;
        if (!caption.empty()) {
            scheme.Write(".Caption(");
            scheme.WriteQuoted(caption);
            scheme.WriteLn(");");
        }
        text.clear();
        root.EmitTo(text, static_cast<int>(i), {}, EmitRoom);
        scheme.WriteText(text);
        scheme.WriteLn(".Pause;");
        scheme.NewLine();
    }
}

} // namespace

TQDemoScript ReadDemoText(TQInStm& stm, const std::string& schemeDir,
                          os::TCodePageReader nameReader) {
    return TQDemoReader(stm, schemeDir, nameReader).Read();
}
