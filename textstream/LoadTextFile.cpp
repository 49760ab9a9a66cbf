#include "errors/err.h"
#include "os/Platform.h"
#include "textstream/QStm.h"

namespace {

// What the user can do something about in a few words, anything else in the system's own.
std::string ReasonOf(const os::TReadFailure& failure) {
    switch (failure.Kind) {
    case os::TReadFailure::NotFound:
        return "файл не найден";
    case os::TReadFailure::Folder:
        return "это папка";
    case os::TReadFailure::Denied:
        return "нет доступа";
    default:
        return failure.SystemText;
    }
}

} // namespace

std::string LoadTextFile(const std::string& fileName) {
    std::string bytes;
    os::TReadFailure failure;
    if (os::ReadWholeFile(fileName, bytes, &failure))
        return bytes;
    std::string message = "Ошибка чтения файла <" + fileName + ">";
    const std::string reason = ReasonOf(failure);
    if (!reason.empty())
        message += "\r\n" + reason;
    throw Exception(ecSystem, message);
}
