#include "tests/support/TempFiles.h"

#include "os/Cp1251.h"
#include "os/Platform.h"

#include <atomic>
#include <fstream>
#include <iterator>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace support {
namespace {

unsigned long ProcessId() {
#ifdef _WIN32
    return GetCurrentProcessId();
#else
    return static_cast<unsigned long>(getpid());
#endif
}

// "kelvo_<process>_<n><suffix>": tests of several processes share the temporary folder.
std::string FreshName(std::string_view suffix) {
    static std::atomic<unsigned> counter{0};
    return TempFolder() + "kelvo_" + std::to_string(ProcessId()) + "_" + std::to_string(++counter) +
           std::string(suffix);
}

} // namespace

std::filesystem::path FsPath(std::string_view name) {
    const std::string utf8 = cp1251::ToUtf8(name);
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string TempFolder() {
    const std::u8string utf8 = std::filesystem::temp_directory_path().u8string();
    std::string name = cp1251::FromUtf8(std::string(utf8.begin(), utf8.end()));
    const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
    if (name.empty() || name.back() != separator)
        name += separator;
    return name;
}

bool Exists(std::string_view name) {
    std::error_code ignored;
    return std::filesystem::exists(FsPath(name), ignored);
}

void MakeFolders(std::string_view name) {
    std::error_code ignored;
    std::filesystem::create_directories(FsPath(name), ignored);
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TTempFile::TTempFile(std::string_view suffix) : name_(FreshName(suffix)) {}

TTempFile::~TTempFile() {
    std::error_code ignored;
    std::filesystem::remove(FsPath(name_), ignored);
}

bool TTempFile::Exists() const {
    return support::Exists(name_);
}

void TTempFile::Write(std::string_view bytes, TWhere where) const {
    if (!os::WriteWholeFile(name_, bytes))
        FailAt(where, "cannot write the file " + name_);
}

std::string TTempFile::Read(TWhere where) const {
    std::string bytes;
    if (!os::ReadWholeFile(name_, bytes))
        FailAt(where, "cannot read the file " + name_);
    return bytes;
}

TTempFolder::TTempFolder(std::string_view suffix) : name_(FreshName(suffix)) {
    std::error_code ignored;
    std::filesystem::remove_all(FsPath(name_), ignored);
    std::filesystem::create_directories(FsPath(name_));
    name_ += static_cast<char>(std::filesystem::path::preferred_separator);
}

TTempFolder::~TTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(Path(), ignored);
}

std::string TTempFolder::Write(std::string_view file, std::string_view bytes, TWhere where) const {
    const std::string name = *this / file;
    if (!os::WriteWholeFile(name, bytes))
        FailAt(where, "cannot write the file " + name);
    return name;
}

} // namespace support
