#pragma once
// The text streams: TQInStm reads a whole text token by token in one of four syntax modes,
// TQOutStm builds a text line by line and quotes strings by the same modes' rules.

#include "errors/RaisePlace.h"
#include "util/LineBreaks.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A place in a stream's text: an offset from its start. The offset of the text's length is
// its terminating zero, which every operation treats as the end.
using TQPos = std::size_t;
inline constexpr TQPos NoPos = static_cast<TQPos>(-1);

// What TQInStm::Error does besides remembering the position.
enum TQStmOption : std::uint8_t {
    ShowBox = 1,    // show the syntax error box
    RaiseError = 2, // then raise EInStm
};

// The syntax modes of both streams: their comments, brackets and string constants.
enum TQSyntaxMode : std::uint8_t {
    smPascal = 0, // "{ }" and "(* *)" comments, '#' codes
    smCStyle = 1, // backslash escapes, "\n" is LF, double quotes
    smScheme = 2, // backslash escapes, "\n" is CR LF: the scheme files
    smScript = 3, // '#' codes: the demo script
};

class TQInStm;

// A syntax error. The message is the error's text alone, without line or position.
class EInStm : public std::runtime_error, public TRaisePlace {
public:
    // Out of line, so that the place it records lies in the raising code.
    EInStm(const std::string& message, TQInStm* stm);
    TQInStm* Stm; // the stream that raised it; not owned
};

// The whole file, bytes unchanged. Raises Exception "Ошибка чтения файла <name>", with the
// reason on a second line.
std::string LoadTextFile(const std::string& fileName);

// What a text file was written in. Either way it is read as code page 1251.
enum class TQEncoding : std::uint8_t { Cp1251, Utf8 };

// A text file's bytes as the system's text.
struct TQDecodedText {
    std::string Text; // code page 1251; each character of the file is one character here
    TQEncoding Encoding = TQEncoding::Cp1251;
    TQPos Unmapped = NoPos;    // the first character that code page 1251 lacks, shown as '?'
    char32_t UnmappedChar = 0; // and its code point
};

// UTF-8 when the bytes begin with its byte-order mark, or are well-formed UTF-8 with some
// character beyond ASCII; else code page 1251, the bytes unchanged. Raises Exception for a
// UTF-16 byte-order mark.
TQDecodedText DecodeText(std::string bytes);

// What shows a syntax error to the user before it is raised. The program installs the dyed
// error box at start; the portable core shows nothing.
using TQShowErrorHook = void (*)(TQInStm& stm, const std::string& msg, TQPos pos);
// Installs HOOK for every stream (null: none); returns the one it replaces.
TQShowErrorHook SetShowErrorHook(TQShowErrorHook hook);

class TQInStm {
public:
    explicit TQInStm(std::string text = {});

    std::uint8_t Mode = smScheme; // a TQSyntaxMode
    std::uint8_t Options = ShowBox | RaiseError;
    std::string ErrorCaption = "Ошибка синтаксиса:";
    bool SkipComments = true;

    // Text and position.
    void SetText(std::string text);
    // A text file's bytes as the text (DecodeText). A character that code page 1251 lacks is
    // a syntax error at its place, reported before anything is read. Returns the encoding.
    TQEncoding SetFileText(std::string bytes);
    TQEncoding LoadFromFile(const std::string& fileName);
    void Reset();
    void SetPos(TQPos p);
    TQPos Cur() const { return Cur_; }
    const std::string& Text() const { return Text_; }
    TQPos ErrorPos() const { return ErrorPos_; }
    TQPos MatchStart() const { return MatchStart_; }
    TQPos MatchEnd() const { return MatchEnd_; }

    // Skipping and the end of the text.
    bool Eof() const;
    bool AtEnd();
    void SkipSpaces();
    void SkipBlanks();
    void SkipToken();

    // Literals: case-insensitive, blanks outside quotes flexible, never ending inside a word.
    int CompareLiteral(std::string_view lit);
    bool IsLiteral(std::string_view lit);
    std::string TakeMatch();
    void ExpectLiteral(std::string_view lit);
    bool AcceptLiteral(std::string_view lit);

    // Tokens.
    bool IsIdent();
    std::string ReadIdent();
    bool IsString();
    std::string ReadString();
    std::int32_t ReadInt();
    bool IsBracket();
    std::string ReadBrackets();

    // Comments.
    bool AtComment() const;
    bool IsComment();
    std::string ReadCommentHere();
    std::string ReadComment();

    // Reports a syntax error at `pos` (NoPos: Cur).
    void Error(const std::string& msg, TQPos pos = NoPos);

    // Lines and positions of error reports.
    int LineOf(TQPos p = NoPos);
    int ColumnOf(TQPos p = NoPos) const;
    TQPos LineStart(TQPos p) const;
    TQPos NextLine(TQPos p) const;
    struct TExcerpt {
        std::string Before; // the text before the position, cut to a few lines
        std::string After;  // the text from the position on, cut likewise
    };
    TExcerpt GetExcerpt(TQPos p) const;
    // The excerpt as a display shows it, whose tab stops are not the author's editor's: each
    // tab becomes blanks up to the next multiple of 8 columns from its line's start.
    static TExcerpt ExpandTabs(const TExcerpt& excerpt);
    // Shows the error through the installed hook; without one, nothing is shown.
    void ShowError(const std::string& msg, TQPos pos);

private:
    // Rules that differ between the syntax modes.
    bool HashCodes() const { return Mode == smPascal || Mode == smScript; }
    bool BackslashEscapes() const { return Mode == smCStyle || Mode == smScheme; }
    bool PascalComments() const { return Mode == smPascal; }
    bool MayStartComment(char c) const {
        return c == '/' || (PascalComments() && (c == '{' || c == '('));
    }

    // The tests at Cur, for readers that have skipped the blanks already.
    bool StringHere() const;
    bool BracketHere() const;

    bool ReadNumber(std::int32_t& value);
    void ReadQuotedPart(TQPos constantStart, std::string& value);
    void ReadEscape(std::string& value);
    void ReadHexCode(std::string& value);
    void ReadHashCode(std::string& value);
    // Where a comment's content lies; comments that are only skipped are never copied.
    struct TSpan {
        TQPos First = 0;
        TQPos Last = 0;
    };
    TSpan PassComment();
    TSpan PassDelimitedComment(std::size_t openerLength, char close1, char close2);

    std::string Text_;
    TQPos Cur_ = 0;
    TQPos LineCachePos_ = 0;
    std::int32_t LineCacheCount_ = 0;
    TQPos MatchStart_ = NoPos;
    TQPos MatchEnd_ = NoPos;
    TQPos ErrorPos_ = NoPos;
};

// Collects a text as lines, joined by CR LF, and saves it in one write. The lines are kept
// already joined, in one buffer, so that a scheme of a million lines is one block.
class TQOutStm {
public:
    std::uint8_t Mode = smScheme; // the TQSyntaxMode whose quoting WriteQuoted follows

    void Write(std::string_view s);
    void NewLine();
    void WriteLn(std::string_view s);
    void WriteText(std::string_view s);
    void WriteQuoted(std::string_view s);
    const std::string& GetText() const { return Text_; }
    void SaveToFile(const std::string& fileName) const;
    std::size_t LineCount() const { return LineCount_; }
    // The lines as written, the last one being the current line; built on each call.
    std::vector<std::string> Lines() const;

private:
    // Appends to the current line a piece that the caller knows to hold no CR LF.
    void Append(std::string_view s);

    std::string Text_;
    std::size_t LineCount_ = 0;
    // Where a Write put a CR LF inside a line (usually nowhere), in increasing order: such a
    // pair is text of its line, not a break between two.
    std::vector<std::size_t> InnerBreaks_;
};

// Creates or replaces the file with the text. Raises Exception "Ошибка записи в файл <name>".
void SaveTextFile(std::string_view text, const std::string& fileName);
