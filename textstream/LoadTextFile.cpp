#include "textstream/QStm.h"
#include "toolkit/os/Platform.h"

std::string LoadTextFile(const std::string& fileName) {
    std::string bytes;
    if (!os::ReadWholeFile(fileName, bytes))
        throw std::runtime_error("Ошибка чтения файла <" + fileName + ">");
    return bytes;
}
