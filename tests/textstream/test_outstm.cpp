#include "errors/err.h"
#include "os/Platform.h"
#include "tests/support/TempFiles.h"
#include "textstream/QStm.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using TLines = std::vector<std::string>;

TEST(OutStmLines, AWriterStartsWithoutLines) {
    TQOutStm out;
    EXPECT_EQ(out.Mode, 2);
    EXPECT_EQ(out.GetText(), "");
    EXPECT_TRUE(out.Lines().empty());
    out.Write("");
    EXPECT_TRUE(out.Lines().empty()) << "an empty write starts no line";
}

TEST(OutStmLines, FirstNewLineStartsTheFirstLine) {
    TQOutStm a;
    a.WriteLn("x");
    EXPECT_EQ(a.GetText(), "x\r\n");
    TQOutStm b;
    b.NewLine();
    b.WriteLn("Demo data:");
    EXPECT_EQ(b.GetText(), "Demo data:\r\n") << "no empty line in front";
    TQOutStm c;
    c.NewLine();
    c.NewLine();
    EXPECT_EQ(c.GetText(), "\r\n");
    TQOutStm d;
    d.Write("a");
    d.Write("b");
    d.NewLine();
    d.Write("c");
    EXPECT_EQ(d.Lines(), (TLines{"ab", "c"}));
    EXPECT_EQ(d.GetText(), "ab\r\nc");
}

TEST(OutStmLines, WriteTextCutsAtEveryKindOfBreak) {
    auto lines = [](std::string_view s) {
        TQOutStm out;
        out.WriteText(s);
        return out.Lines();
    };
    EXPECT_EQ(lines("a\r\n\r\nb"), (TLines{"a", "", "b"}));
    EXPECT_EQ(lines("a\n\rb"), (TLines{"a", "b"})) << "LF CR is one break";
    EXPECT_EQ(lines("a\r\rb"), (TLines{"a", "", "b"})) << "two equal breaks are two";
    EXPECT_EQ(lines("a\n\nb"), (TLines{"a", "", "b"}));
    EXPECT_EQ(lines("a\r\n\nb"), (TLines{"a", "", "b"}));
    EXPECT_EQ(lines("a\rb\nc"), (TLines{"a", "b", "c"}));
    EXPECT_EQ(lines("a\r\n"), (TLines{"a", ""})) << "a break at the end ends with a new line";
    EXPECT_EQ(lines("\r\n"), (TLines{""})) << "an empty piece writes nothing";
    EXPECT_EQ(lines(""), (TLines{}));
    EXPECT_EQ(lines(std::string_view("a\0\r\nb", 5)), (TLines{"a"})) << "read up to the zero";
    TQOutStm out;
    out.Write("x");
    out.WriteText("y\nz");
    EXPECT_EQ(out.Lines(), (TLines{"xy", "z"})) << "continues the current line";
}

TEST(OutStmLines, BreaksThatWriteBringsStayInTheirLine) {
    TQOutStm out;
    out.Write("a\r\nb");
    out.NewLine();
    out.Write("c\r");
    out.Write("\nd");
    out.NewLine();
    out.Write("e\r");
    out.NewLine();
    out.WriteText("f\r\ng");
    EXPECT_EQ(out.GetText(), "a\r\nb\r\nc\r\nd\r\ne\r\r\nf\r\ng") << "bytes unchanged";
    EXPECT_EQ(out.LineCount(), 5u);
    EXPECT_EQ(out.Lines(), (TLines{"a\r\nb", "c\r\nd", "e\r", "f", "g"}))
        << "a CR LF of Write, also one split over two writes, is no line break";
}

std::string Quoted(int mode, std::string_view s) {
    TQOutStm out;
    out.Mode = static_cast<std::uint8_t>(mode);
    out.WriteQuoted(s);
    return out.GetText();
}

TEST(OutStmQuoted, EmptyAndSingleQuote) {
    for (int mode : {0, 2, 3})
        EXPECT_EQ(Quoted(mode, ""), "''") << "mode " << mode;
    EXPECT_EQ(Quoted(1, ""), "\"\"");
    EXPECT_EQ(Quoted(2, "it's"), "'it''s'");
    EXPECT_EQ(Quoted(1, "it's"), "\"it\\'s\"");
    EXPECT_EQ(Quoted(3, "it's"), "'it'#39's'");
    EXPECT_EQ(Quoted(0, "'"), "#39");
}

TEST(OutStmQuoted, LineBreaks) {
    EXPECT_EQ(Quoted(2, "a\r\nb"), "'a\\nb'") << "CR LF is one \\n";
    EXPECT_EQ(Quoted(2, "a\rb"), "'a\\nb'");
    EXPECT_EQ(Quoted(2, "a\nb\n\rc"), "'a\\nb\\n\\nc'") << "only CR LF is joined";
    EXPECT_EQ(Quoted(2, "\r\r\n"), "'\\n\\n'");
    EXPECT_EQ(Quoted(1, "a\r\nb"), "\"a\\r\\nb\"");
    EXPECT_EQ(Quoted(0, "a\r\nb"), "'a'#13#10'b'");
    EXPECT_EQ(Quoted(3, "\r\n"), "#13#10") << "no quotes around a special run alone";
}

TEST(OutStmQuoted, EscapesOfModesOneAndTwo) {
    EXPECT_EQ(Quoted(2, "\x1B"), "'\\x1B'");
    EXPECT_EQ(Quoted(1, std::string_view("\0\x7F\x01", 3)), "\"\\x00\\x7F\\x01\"");
    EXPECT_EQ(Quoted(2, "C:\\dir"), "'C:\\\\dir'");
    EXPECT_EQ(Quoted(1, "C:\\dir"), "\"C:\\\\dir\"");
    EXPECT_EQ(Quoted(2, "\""), "'\"'");
    EXPECT_EQ(Quoted(1, "\""), "\"\\\"\"");
    EXPECT_EQ(Quoted(1, "a\tb"), "\"a\\tb\"");
    EXPECT_EQ(Quoted(2, "a\tb"), "'a\\tb'");
}

TEST(OutStmQuoted, RunsOfModesZeroAndThree) {
    EXPECT_EQ(Quoted(3, "C:\\dir"), "'C:\\dir'");
    EXPECT_EQ(Quoted(3, "\""), "'\"'");
    EXPECT_EQ(Quoted(0, "a\tb\x7F"), "'a'#9'b'#127");
    EXPECT_EQ(Quoted(3, std::string_view("\0x", 2)), "#0'x'") << "the full length, zeros too";
    EXPECT_EQ(Quoted(0, "''"), "#39#39");
}

TEST(OutStmQuoted, CyrillicStaysAndQuotesJoinTheLine) {
    for (int mode : {0, 1, 2, 3}) {
        std::string q = Quoted(mode, "Шаг ё");
        EXPECT_NE(q.find("Шаг ё"), std::string::npos) << "mode " << mode << ": " << q;
    }
    TQOutStm out;
    out.Write(".Name := ");
    out.WriteQuoted("x");
    out.WriteLn(";");
    EXPECT_EQ(out.GetText(), ".Name := 'x';\r\n");
}

class OutStmFile : public ::testing::Test {
protected:
    const support::TTempFile file;
    const std::string path = file.Name();
    std::string Read() {
        std::string bytes = "unread";
        EXPECT_TRUE(os::ReadWholeFile(path, bytes));
        return bytes;
    }
};

TEST_F(OutStmFile, SaveWritesTheTextAndKeepsTheLines) {
    TQOutStm out;
    out.WriteLn("Станция");
    out.Write("x");
    out.SaveToFile(path);
    EXPECT_EQ(Read(), "Станция\r\nx");
    EXPECT_EQ(out.Lines(), (TLines{"Станция", "x"})) << "saving does not clear";
}

TEST_F(OutStmFile, EmptyTextMakesAnEmptyFileAndReplacesAnOldOne) {
    ASSERT_TRUE(os::WriteWholeFile(path, "old longer content"));
    TQOutStm().SaveToFile(path);
    EXPECT_EQ(Read(), "");
    SaveTextFile(std::string_view("a\0b", 3), path);
    EXPECT_EQ(Read(), std::string("a\0b", 3)) << "every byte, zeros included";
}

TEST(OutStmFileFailure, UnwritablePathRaisesTheSystemMessage) {
    const std::string name = "no_such_dir/out.txt";
    try {
        SaveTextFile("x", name);
        ADD_FAILURE() << "nothing was raised";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Ошибка записи в файл <" + name + ">");
    }
}

// What the writer quotes, the input stream of the same mode reads back. Mode 2 writes for the
// stations' own reader: its doubled single quote and its "\n" for any line break read
// differently here (two adjacent parts; CR LF), so those are left out in that mode.
TEST(OutStmQuoted, TheInputStreamReadsEveryModeBack) {
    const std::string samples[] = {"",     "plain", "it's", "\"q\"",        "C:\\dir\\", "Шаг ё\t1",
                                   "a\nb", "''",    "#13",  "\x01\x1F\x7F", "x\r\ny",    "end\\"};
    for (int mode = 0; mode <= 3; ++mode) {
        for (const std::string& s : samples) {
            if (mode == 2 && s.find_first_of("'\r\n") != std::string::npos)
                continue;
            std::string quoted = Quoted(mode, s);
            TQInStm in;
            in.Mode = static_cast<std::uint8_t>(mode);
            in.Options = RaiseError;
            in.SetText(quoted);
            std::string back;
            try {
                back = in.ReadString();
            } catch (const EInStm& e) {
                ADD_FAILURE() << "mode " << mode << ", " << quoted << ": " << e.what();
                continue;
            }
            EXPECT_EQ(back, s) << "mode " << mode << ", written as " << quoted;
            EXPECT_TRUE(in.Eof()) << "mode " << mode << ", " << quoted << ": all of it read";
        }
    }
}

} // namespace
