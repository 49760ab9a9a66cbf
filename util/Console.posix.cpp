#include "util/Console.h"

#include <cstdio>

namespace {

void WriteAll(std::FILE* stream, std::string_view utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
    std::fflush(stream);
}

} // namespace

void WriteStdout(std::string_view utf8) {
    WriteAll(stdout, utf8);
}

void WriteStderr(std::string_view utf8) {
    WriteAll(stderr, utf8);
}
