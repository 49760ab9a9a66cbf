#include "errors/err.h"
#include "os/Platform.h"
#include "textstream/QStm.h"

void SaveTextFile(std::string_view text, const std::string& fileName) {
    if (!os::WriteWholeFile(fileName, text))
        throw Exception(ecSystem, "Ошибка записи в файл <" + fileName + ">");
}
