#pragma once
// Files and folders in the temporary folder that remove themselves. Names are cp1251, the
// system's text, and may hold Russian letters on either system.

#include "tests/support/Where.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace support {

// The path the standard library's file functions take for the cp1251 name `name`: through
// Unicode, so that the same file is found on Windows and on POSIX.
std::filesystem::path FsPath(std::string_view name);

// The temporary folder in cp1251, with its trailing separator.
std::string TempFolder();

// Whether a file or folder of the cp1251 name `name` exists.
bool Exists(std::string_view name);

// Makes the folder `name` and every missing folder above it.
void MakeFolders(std::string_view name);

// The file's bytes; "" when it cannot be read.
std::string ReadBytes(const std::filesystem::path& path);

// A fresh name in the temporary folder, unique to this process and object, ending with
// `suffix`. No file exists until something writes one; whatever is there is removed at the
// end of the object's life.
class TTempFile {
public:
    explicit TTempFile(std::string_view suffix = ".tmp");
    TTempFile(const TTempFile&) = delete;
    TTempFile& operator=(const TTempFile&) = delete;
    ~TTempFile();

    const std::string& Name() const { return name_; }
    bool Exists() const;
    // Creates or replaces the file with `bytes`; a failure is reported at the caller.
    void Write(std::string_view bytes, TWhere where = TWhere::current()) const;
    // The file's bytes; a file that cannot be read is reported at the caller and reads as "".
    std::string Read(TWhere where = TWhere::current()) const;

private:
    std::string name_;
};

// A fresh empty folder in the temporary folder, removed with everything in it at the end.
class TTempFolder {
public:
    explicit TTempFolder(std::string_view suffix = "");
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;
    ~TTempFolder();

    // The folder's name with its trailing separator.
    const std::string& Name() const { return name_; }
    // The folder itself, without the separator.
    std::filesystem::path Path() const { return FsPath(name_.substr(0, name_.size() - 1)); }
    // The name of `file` inside the folder.
    std::string operator/(std::string_view file) const { return name_ + std::string(file); }
    // Writes `bytes` to `file` inside the folder and returns its name; a failure is reported
    // at the caller.
    std::string Write(std::string_view file, std::string_view bytes,
                      TWhere where = TWhere::current()) const;

private:
    std::string name_;
};

} // namespace support
