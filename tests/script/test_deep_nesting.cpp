// Node blocks nested far deeper than any call stack could follow: reading, emitting and
// releasing such trees must not depend on the depth.
#include "ScriptTestUtil.h"

#include <algorithm>

namespace {

using scripttest::ReadText;

constexpr int Depth = 100000;

std::string Nest(int depth, const std::string& opener, const std::string& inner) {
    std::string text;
    text.reserve(static_cast<std::size_t>(depth) * (opener.size() + 3) + inner.size());
    for (int i = 0; i < depth; ++i)
        text += opener;
    text += inner;
    for (int i = 0; i < depth; ++i)
        text += "}\n";
    return text;
}

int DepthOf(const TQDualNode& root) {
    int depth = 0;
    for (const TQDualNode* node = &root; !node->Children.empty(); node = node->Children[0].get())
        ++depth;
    return depth;
}

TEST(DeepNesting, GroupsOfEmptyKeysLoadEmitAndRelease) {
    TQInStm stm;
    stm.Mode = smScript;
    stm.Options = RaiseError;
    stm.SetText(Nest(Depth, "'' {\n", "'leaf' x|y\n"));
    std::unique_ptr<TQDualNode> tree = TQDualNode::Load(stm);
    EXPECT_TRUE(stm.AtEnd()) << "the whole text belongs to the one node";
    EXPECT_EQ(DepthOf(*tree), Depth);
    EXPECT_EQ(tree->Emit(0, ">"), ">'leaf' x\r\n");
    EXPECT_EQ(tree->Emit(1, ""), "'leaf'y\r\n");
    EXPECT_EQ(tree->Emit(2, ""), "");
    tree.reset();
}

TEST(DeepNesting, WholeScriptWithDeepKeyedBlocks) {
    // Station A sees the first levels only; B sees none, so the text stays small while every
    // level is read, kept and released.
    std::string text = "'A':DemoStation();'B':DemoStation();\n";
    for (int i = 0; i < Depth; ++i)
        text += i < 3 ? "'k' { a|\n" : "'k' {  |b\n";
    for (int i = 0; i < Depth; ++i)
        text += "}";
    text += "\nA.Sync;\n";
    TQDemoScript script = ReadText(text);
    ASSERT_EQ(script.Steps.size(), 1u);
    EXPECT_EQ(script.Steps[0].Cmds.size(), 1u);
    EXPECT_EQ(scripttest::SchemeOf(script, 0), "Demo data:\r\n.Interactive:=true;\r\n\r\n"
                                               "'k'{ a\r\n"
                                               "  'k'{ a\r\n"
                                               "    'k'{ a\r\n"
                                               "    }\r\n"
                                               "  }\r\n"
                                               "}\r\n"
                                               ".Pause;\r\n\r\n");
    EXPECT_EQ(script.Sides[1].Scheme.Lines().size(), 6u) << "head and one empty section";
}

TEST(DeepNesting, IndentFollowsTheDepth) {
    constexpr int depth = 3000;
    TQInStm stm;
    stm.Mode = smScript;
    stm.Options = RaiseError;
    stm.SetText(Nest(depth, "'n' {x\n", "'leaf' y\n"));
    std::string out = TQDualNode::Load(stm)->Emit(0, "");
    const std::string deepest = std::string(2 * depth, ' ') + "'leaf' y\r\n";
    EXPECT_NE(out.find("\r\n" + deepest), std::string::npos) << "the leaf two blanks per level in";
    EXPECT_EQ(out.substr(0, 15), "'n'{x\r\n  'n'{x\r") << out.substr(0, 15);
    EXPECT_EQ(out.substr(out.size() - 8), "  }\r\n}\r\n");
    EXPECT_EQ(std::count(out.begin(), out.end(), '}'), depth);
}

TEST(DeepNesting, UnclosedDeepBlockIsAnErrorAndIsReleased) {
    std::string text = Nest(Depth, "'' {\n", "'leaf' x\n");
    text.resize(text.size() - 2); // the outermost "}" is missing
    TQInStm stm;
    stm.Mode = smScript;
    stm.Options = RaiseError;
    stm.SetText(text);
    try {
        TQDualNode::Load(stm);
        FAIL() << "a block without its \"}\" was read";
    } catch (const EInStm& e) {
        EXPECT_EQ(std::string(e.what()), "Ожидалось \"}\"");
        EXPECT_EQ(stm.ErrorPos(), text.size());
    }
}

TEST(DeepNesting, ReleasingALongChainBuiltByHand) {
    auto root = std::make_unique<TQDualNode>();
    TQDualNode* last = root.get();
    for (int i = 0; i < 10 * Depth; ++i) {
        auto child = std::make_unique<TQDualNode>();
        child->Key.push_back('k');
        child->Columns = {"x"};
        TQDualNode* raw = child.get();
        last->Add(std::move(child));
        last = raw;
    }
    // Siblings as well as descendants: each node of the chain has a leaf beside it.
    root->Children[0]->Add(std::make_unique<TQDualNode>());
    EXPECT_EQ(DepthOf(*root), 10 * Depth);
    root.reset();
}

} // namespace
