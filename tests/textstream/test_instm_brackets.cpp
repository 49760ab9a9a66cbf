// Bracketed groups: the raw inner text, nesting, and what inside them does not count.
#include "InStmTestUtil.h"

namespace {

std::string Inner(int mode, const std::string& text, TQPos* after = nullptr) {
    TQInStm stm;
    Open(stm, mode, text);
    std::string inner = stm.ReadBrackets();
    if (after)
        *after = stm.Cur();
    return inner;
}

TReported BracketError(int mode, const std::string& text, std::uint8_t options = RaiseError) {
    TQInStm stm;
    stm.Options = options;
    Open(stm, mode, text);
    return Reported(stm, [&] { stm.ReadBrackets(); });
}

TEST(InStmBrackets, InnerTextIsRawAndStringsAndCommentsHideBrackets) {
    const std::string text = "(a (b) 'c)' /* ) */ {x})  next";
    TQPos after = 0;
    EXPECT_EQ(Inner(3, text, &after), "a (b) 'c)' /* ) */ {x}");
    EXPECT_EQ(after, text.find("  next")) << "directly after the closing bracket";
    EXPECT_EQ(Inner(3, "( ] )"), " ] ") << "a closing bracket of another kind is ordinary";
    EXPECT_EQ(Inner(3, "[a(b]c)]"), "a(b]c)");
    EXPECT_EQ(Inner(3, "(don't)"), "don't") << "an apostrophe is not a quote";
    EXPECT_EQ(Inner(3, "(a // )\r\n b)"), "a // )\r\n b");
    EXPECT_EQ(Inner(3, "(#41 ')')"), "#41 ')'");
    EXPECT_EQ(Inner(2, "{ \"}\" }"), " \"}\" ");
    EXPECT_EQ(Inner(3, "/* lead */ {x}"), "x");
    EXPECT_EQ(Inner(3, "()"), "");
}

TEST(InStmBrackets, Mode0BracesAreCommentsAndParenthesisStarToo) {
    EXPECT_EQ(Inner(0, "{note} [x]"), "x");
    EXPECT_EQ(Inner(0, "(*c*)(y)"), "y");
    EXPECT_EQ(Inner(0, "( {(} )"), " {(} ") << "the brace hides the bracket in mode 0";
    EXPECT_EQ(Inner(0, "[(* ] *)]"), "(* ] *)");
    ExpectError(BracketError(3, "( {(} )"), "Незакрытая скобка", 2,
                "in mode 3 the brace opens a group that the bracket's group leaves open");
    ExpectError(BracketError(0, "{x}"), "Ожидались скобки", 3, "mode 0: a comment only");
}

TEST(InStmBrackets, CommentsInsideCountEvenWhenNotSkipped) {
    TQInStm stm;
    stm.SkipComments = false;
    Open(stm, 3, "(a /* ) */ b)");
    EXPECT_EQ(stm.ReadBrackets(), "a /* ) */ b");
    EXPECT_TRUE(stm.Eof());
    stm.SkipComments = false;
    Open(stm, 0, "[a { ] } b]");
    EXPECT_EQ(stm.ReadBrackets(), "a { ] } b");
}

TEST(InStmBrackets, ErrorsAndTheirPositions) {
    ExpectError(BracketError(3, "  abc"), "Ожидались скобки", 2, "not a bracket");
    ExpectError(BracketError(3, ""), "Ожидались скобки", 0, "empty text");
    ExpectError(BracketError(3, "(a (b"), "Незакрытая скобка", 3, "the innermost group first");
    ExpectError(BracketError(3, "(a (b) c"), "Незакрытая скобка", 0, "the outer group");
    ExpectError(BracketError(3, "( 'x)"), "Незаконченная строковая константа", 2,
                "a string inside that is not closed");
    ExpectError(BracketError(3, "(a /* b)"), "Не найден конец комментария", 3,
                "a comment inside that is not closed");

    TQInStm stm;
    stm.Options = 0;
    Open(stm, 3, "(a (b");
    EXPECT_EQ(stm.ReadBrackets(), "a (b") << "without exceptions the inner text runs to the end";
    EXPECT_EQ(stm.ErrorPos(), 0u) << "every open group is reported, the outermost last";
    EXPECT_EQ(stm.Cur(), stm.Text().size());
}

TEST(InStmBrackets, DeepNestingNeitherOverflowsNorChangesTheResult) {
    const std::size_t depth = 1000000;
    const std::string closed = std::string(depth, '(') + std::string(depth, ')');
    TQPos after = 0;
    const std::string inner = Inner(3, closed, &after);
    EXPECT_EQ(inner.size(), closed.size() - 2);
    EXPECT_EQ(after, closed.size());

    std::string mixed;
    for (std::size_t i = 0; i < depth / 2; ++i)
        mixed += i % 2 ? "[" : "{";
    ExpectError(BracketError(3, mixed), "Незакрытая скобка", depth / 2 - 1,
                "unclosed: reported at the innermost bracket");

    TQInStm stm;
    stm.Options = 0;
    Open(stm, 3, std::string(depth, '('));
    EXPECT_EQ(stm.ReadBrackets().size(), depth - 1);
    EXPECT_EQ(stm.ErrorPos(), 0u);
}

} // namespace
