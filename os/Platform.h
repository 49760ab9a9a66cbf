#pragma once
// The few operating-system services that the portable core needs. On Windows they are
// the Win32 calls themselves; on POSIX a cp1251 stand-in serves the native tests and tools.

#include <cstdint>
#include <string>
#include <string_view>

namespace os {

// Whether two characters are the same letter without regard to case, in the user's
// locale (CompareStringA with NORM_IGNORECASE on two one-character strings).
bool SameCharIgnoringCase(char a, char b);

// CompareStringA(LOCALE_USER_DEFAULT, ignoreCase ? NORM_IGNORECASE : 0, a, -1, b, -1) - 2:
// negative, zero or positive.
int CompareLocale(const char* a, const char* b, bool ignoreCase);

// The system's ANSI code page (GetACP), in which its narrow functions read a text's bytes;
// the stand-in's is 1251.
unsigned SystemCodePage();
// TEXT's bytes as the system's narrow functions read them (MultiByteToWideChar, CP_ACP).
std::u16string InSystemCodePage(std::string_view text);

// Why a file could not be read: the cases a user can mend by name, any other in the
// system's own words.
struct TReadFailure {
    enum TKind : std::uint8_t { Other, NotFound, Folder, Denied };
    TKind Kind = Other;
    std::string SystemText; // the system's text of its error code; for Other
};

// Reads a whole existing file with one read (others may read it meanwhile, not write).
// False when it cannot be opened, sized or completely read; `bytes` is then unchanged, and
// `failure`, when given, says why.
bool ReadWholeFile(const std::string& fileName, std::string& bytes,
                   TReadFailure* failure = nullptr);

// Creates or empties the file and writes `bytes` with one write. False when the file cannot
// be created or not every byte was written.
bool WriteWholeFile(const std::string& fileName, std::string_view bytes);

// The system's text of one of its error codes (FormatMessageA on Windows, strerror on POSIX),
// without trailing blanks and full stops; on Windows empty for a code without a text.
std::string SystemErrorText(std::uint32_t code);

// Deletes the file (DeleteFileA); false when it cannot be deleted.
bool DeleteWholeFile(const std::string& fileName);

// wvsprintfA: `slots` are the arguments, one native word each (a number, or the address of
// a zero-terminated text). The result is at most 1023 characters (wvsprintfA writes 1024
// bytes with its terminating zero) and ends at the first zero character.
std::string FormatSlots(const char* format, const std::uintptr_t* slots, std::size_t count);

} // namespace os
