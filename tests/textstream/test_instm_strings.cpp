// String constants: quoted parts, "#" codes, escapes, and errors by mode.
#include "InStmTestUtil.h"

namespace {

std::string Read(int mode, const std::string& text) {
    TQInStm stm;
    Open(stm, mode, text);
    return stm.ReadString();
}

TReported ReadError(int mode, const std::string& text) {
    TQInStm stm;
    Open(stm, mode, text);
    return Reported(stm, [&] { stm.ReadString(); });
}

TEST(InStmStrings, PartsAndCharacterCodesJoinInModes0And3) {
    for (int mode : {0, 3}) {
        SCOPED_TRACE("mode " + std::to_string(mode));
        EXPECT_EQ(Read(mode, "'a'#13#10'b'"), "a\r\nb");
        EXPECT_EQ(Read(mode, "#65"), "A");
        EXPECT_EQ(Read(mode, "'ab''cd'"), "abcd") << "a doubled quote is two parts";
        EXPECT_EQ(Read(mode, "'it'\"'\"'s'"), "it's");
        EXPECT_EQ(Read(mode, "'it'#39's'"), "it's");
        EXPECT_EQ(Read(mode, "\"a'b\""), "a'b");
        EXPECT_EQ(Read(mode, "'a\\n'"), "a\\n") << "no escapes";
        EXPECT_EQ(Read(mode, "'a\\'"), "a\\") << "the backslash does not protect the quote";
        EXPECT_EQ(Read(mode, "#321#-191"), "AA") << "the low eight bits of the value";
        EXPECT_EQ(Read(mode, "#192#171#187#255"), "\xC0\xAB\xBB\xFF") << "А « » я: all eight bits";
        EXPECT_EQ(Read(mode, "'a'# 66#//c\r\n67"), "aBC") << "a code is read like a number";
        EXPECT_EQ(Read(mode, "#0'x'"), std::string("\0x", 2));
        EXPECT_EQ(Read(mode, "''"), "");
    }
}

TEST(InStmStrings, ConstantEndsAtTheFirstCharacterThatIsNoPart) {
    TQInStm stm;
    Open(stm, 3, "  'a' 'b'");
    EXPECT_EQ(stm.ReadString(), "a");
    EXPECT_EQ(stm.Cur(), 5u) << "a blank ends the constant and stays unread";
    Open(stm, 2, "'a'#65");
    EXPECT_EQ(stm.ReadString(), "a") << "no codes in mode 2";
    EXPECT_EQ(stm.Cur(), 3u);
}

TEST(InStmStrings, WhatStartsAString) {
    struct TCase {
        int Mode;
        const char* Text;
        bool String;
    };
    const TCase cases[] = {
        {3, "'a'", true},  {3, "\"a\"", true}, {3, "#65", true},   {0, "#65", true},
        {3, "#x", false},  {3, "# 65", false}, {3, "#", false},    {1, "#65", false},
        {2, "#65", false}, {2, "'a'", true},   {3, "x'a'", false}, {3, "x 'a'", true},
    };
    for (const TCase& c : cases) {
        TQInStm stm;
        Open(stm, c.Mode, c.Text);
        if (c.Text[0] == 'x')
            stm.ReadIdent();
        EXPECT_EQ(stm.IsString(), c.String) << "mode " << c.Mode << ", text " << c.Text;
    }
    TQInStm stm;
    Open(stm, 3, "don't");
    stm.SetPos(3);
    EXPECT_FALSE(stm.IsString()) << "a quote after a letter is an apostrophe";
    Open(stm, 3, "5'a'");
    stm.SetPos(1);
    EXPECT_TRUE(stm.IsString()) << "digits are not letters";
    ExpectError(ReadError(3, "  abc"), "Ожидалась строковая константа", 2, "not a string");
}

TEST(InStmStrings, UnfinishedConstantIsReportedAtItsStart) {
    for (int mode : {0, 3}) {
        SCOPED_TRACE("mode " + std::to_string(mode));
        ExpectError(ReadError(mode, "  'abc"), "Незаконченная строковая константа", 2, "'abc");
        ExpectError(ReadError(mode, "  'a'#13'b\nc'"), "Незаконченная строковая константа", 2,
                    "a line feed in the second part");
        ExpectError(ReadError(mode, "'a\rb'"), "Незаконченная строковая константа", 0,
                    "a carriage return");
    }
    for (int mode : {1, 2}) {
        SCOPED_TRACE("mode " + std::to_string(mode));
        EXPECT_EQ(Read(mode, "'a\r\nb'"), "a\r\nb") << "line breaks stay in the value";
        ExpectError(ReadError(mode, "'a\nb"), "Незаконченная строковая константа", 0, "'a\\nb");
    }
}

TEST(InStmStrings, EscapesInModes1And2) {
    EXPECT_EQ(Read(2, "'a\\nb'"), "a\r\nb");
    EXPECT_EQ(Read(1, "'a\\nb'"), "a\nb");
    for (int mode : {1, 2}) {
        SCOPED_TRACE("mode " + std::to_string(mode));
        EXPECT_EQ(Read(mode, "'\\r\\t\\\\'"), "\r\t\\");
        EXPECT_EQ(Read(mode, "'\\x4a\\x4A\\x7e\\x00'"), std::string("JJ~\0", 4));
        EXPECT_EQ(Read(mode, "\"a'\\\\\""), "a'\\");
    }
    EXPECT_EQ(Read(1, "'it\\'s'"), "it's");
    EXPECT_EQ(Read(1, "\"say \\\"hi\\\"\""), "say \"hi\"");
}

TEST(InStmStrings, EscapeErrorsPointAtTheOffendingCharacter) {
    const std::string quote = "Непредусмотренный символ \"\"\" после \"\\\"";
    ExpectError(ReadError(2, "'a\\\"'"), quote, 3, "an escaped double quote in mode 2");
    ExpectError(ReadError(2, "'a\\''"), "Непредусмотренный символ \"'\" после \"\\\"", 3,
                "an escaped single quote in mode 2");
    ExpectError(ReadError(2, "'\\X41'"), "Непредусмотренный символ \"X\" после \"\\\"", 2,
                "escape letters are case-sensitive");
    ExpectError(ReadError(1, "'\\N'"), "Непредусмотренный символ \"N\" после \"\\\"", 2, "\\N");
    ExpectError(ReadError(1, "'\\q'"), "Непредусмотренный символ \"q\" после \"\\\"", 2, "\\q");
    ExpectError(ReadError(2, "'\\x4g'"), "Ожидалась 16-ричная цифра", 4, "the g of \\x4g");
    ExpectError(ReadError(1, "'\\x'"), "Ожидалась 16-ричная цифра", 3, "the quote after \\x");
}

// Texts whose buffer ends right after the last character: a read past the zero is caught.
TEST(InStmStrings, ReadingWithoutExceptionsNeverPassesTheEnd) {
    const char* const texts[] = {
        "'\\", "'\\x", "'\\x4", "'a'#",  "'a'#-",  "'a'# /*",
        "#1#", "'",    "\"a\\", "'a'\\", "'\\x4g", "'a\r",
    };
    for (int mode = 0; mode <= 3; ++mode) {
        for (const char* text : texts) {
            TQInStm stm;
            stm.Options = 0;
            Open(stm, mode, std::string(text));
            stm.ReadString();
            EXPECT_LE(stm.Cur(), stm.Text().size()) << "mode " << mode << ", text " << text;
            stm.SkipToken();
            stm.ReadBrackets();
            EXPECT_LE(stm.Cur(), stm.Text().size()) << "mode " << mode << ", text " << text;
        }
    }
}

TEST(InStmStrings, FirstErrorAtTheEndOfTheText) {
    struct TCase {
        int Mode;
        const char* Text;
        const char* Msg;
        std::size_t Pos;
    };
    const TCase cases[] = {
        {2, "'\\", "Незаконченная строковая константа", 0},
        {1, "'ab\\", "Незаконченная строковая константа", 0},
        {2, "'\\x", "Ожидалась 16-ричная цифра", 3},
        {2, "'\\x4", "Ожидалась 16-ричная цифра", 4},
        {3, "'a'#", "Ожидалось число", 4},
        {0, "'a'#-", "Ожидалось число", 5},
        {3, "'a\\", "Незаконченная строковая константа", 0},
    };
    for (const TCase& c : cases) {
        TQInStm stm;
        stm.Options = RaiseError;
        Open(stm, c.Mode, std::string(c.Text));
        ExpectError(Reported(stm, [&] { stm.ReadString(); }), c.Msg, c.Pos,
                    "mode " + std::to_string(c.Mode) + ", text " + c.Text);
    }
    TQInStm stm;
    stm.Options = 0;
    Open(stm, 3, std::string("'a'#"));
    EXPECT_EQ(stm.ReadString(), "a") << "a failed code adds no character";
    Open(stm, 2, std::string("'a\\x4"));
    EXPECT_EQ(stm.ReadString(), "a") << "an incomplete escape adds no character";
    EXPECT_EQ(stm.ErrorPos(), 0u) << "the last error is the unfinished constant";
    EXPECT_EQ(stm.Cur(), stm.Text().size());
}

} // namespace
