// The cp1251 stand-in for the native build: Windows' answers for the texts the system
// handles, without Windows. Used only by native tests and tools.
#include "os/Platform.h"
#include "os/Cp1251.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace os {
namespace {

struct TFileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using TFilePtr = std::unique_ptr<std::FILE, TFileCloser>;

TFilePtr OpenFile(const std::string& fileName, const char* mode) {
    return TFilePtr(std::fopen(cp1251::ToUtf8(fileName).c_str(), mode));
}

// Windows refuses to open a folder as a file; here it opens, and its size is meaningless.
bool IsFolder(std::FILE* file) {
    struct stat info {};
    return fstat(fileno(file), &info) != 0 || S_ISDIR(info.st_mode);
}

// Primary weight of a character in the stand-in's alphabetical order: symbols by code,
// then digits, then Latin, then Cyrillic. Like Windows, Ё sorts as Е and differs from it
// only at the second level, after all letters have been compared.
int PrimaryWeight(char c) {
    auto b = static_cast<unsigned char>(cp1251::ToLower(c));
    if (b == 0xB8) // ё
        b = 0xE5;  // е
    if (b >= '0' && b <= '9')
        return 0x200 + b;
    if (b >= 'a' && b <= 'z')
        return 0x300 + b;
    if (b >= 0xE0)
        return 0x400 + b;
    if (cp1251::IsLetter(c))
        return 0x500 + b; // other Cyrillic letters, after я
    return b;
}

int AccentWeight(char c) {
    return static_cast<unsigned char>(cp1251::ToLower(c)) == 0xB8 ? 1 : 0; // ё
}

int Sign(int v) {
    return (v > 0) - (v < 0);
}

bool Failed(TReadFailure* failure, int error) {
    if (!failure)
        return false;
    failure->SystemText = SystemErrorText(static_cast<std::uint32_t>(error));
    if (error == EISDIR)
        failure->Kind = TReadFailure::Folder;
    else if (error == ENOENT || error == ENOTDIR)
        failure->Kind = TReadFailure::NotFound;
    else if (error == EACCES || error == EPERM)
        failure->Kind = TReadFailure::Denied;
    else
        failure->Kind = TReadFailure::Other;
    return false;
}

} // namespace

unsigned SystemCodePage() {
    return 1251;
}

std::u16string InSystemCodePage(std::string_view text) {
    return cp1251::ToUtf16(text);
}

bool SameCharIgnoringCase(char a, char b) {
    return cp1251::ToLower(a) == cp1251::ToLower(b);
}

int CompareLocale(const char* a, const char* b, bool ignoreCase) {
    // Letters decide first, then accents, then case (lower case first), as Windows sorts.
    int accentOrder = 0;
    int caseOrder = 0;
    for (;; ++a, ++b) {
        if (*a == 0 || *b == 0) {
            if (*a != *b)
                return *a == 0 ? -1 : 1;
            if (accentOrder != 0)
                return accentOrder;
            return ignoreCase ? 0 : caseOrder;
        }
        int d = PrimaryWeight(*a) - PrimaryWeight(*b);
        if (d != 0)
            return Sign(d);
        if (accentOrder == 0)
            accentOrder = Sign(AccentWeight(*a) - AccentWeight(*b));
        if (caseOrder == 0 && cp1251::IsUpper(*a) != cp1251::IsUpper(*b))
            caseOrder = cp1251::IsUpper(*a) ? 1 : -1;
    }
}

bool ReadWholeFile(const std::string& fileName, std::string& bytes, TReadFailure* failure) {
    errno = 0;
    TFilePtr file = OpenFile(fileName, "rb");
    if (!file)
        return Failed(failure, errno);
    if (IsFolder(file.get()))
        return Failed(failure, EISDIR);
    if (std::fseek(file.get(), 0, SEEK_END) != 0)
        return Failed(failure, errno);
    long size = std::ftell(file.get());
    if (size < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0)
        return Failed(failure, errno);
    std::string result(static_cast<std::size_t>(size), '\0');
    if (std::fread(result.data(), 1, result.size(), file.get()) != result.size())
        return Failed(failure, std::ferror(file.get()) ? errno : EIO);
    bytes = std::move(result);
    return true;
}

std::string SystemErrorText(std::uint32_t code) {
    std::string text = std::strerror(static_cast<int>(code));
    while (!text.empty() && (static_cast<unsigned char>(text.back()) <= 0x20 || text.back() == '.'))
        text.pop_back();
    return text;
}

bool WriteWholeFile(const std::string& fileName, std::string_view bytes) {
    TFilePtr file = OpenFile(fileName, "wb");
    if (!file)
        return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    return std::fclose(file.release()) == 0 && ok;
}

bool DeleteWholeFile(const std::string& fileName) {
    return std::remove(cp1251::ToUtf8(fileName).c_str()) == 0;
}

} // namespace os
