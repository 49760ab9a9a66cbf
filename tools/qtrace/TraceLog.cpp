#include "TraceLog.h"

#include <cstdio>

std::string TimeStamp() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[16];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u.%03u", now.wHour, now.wMinute, now.wSecond,
                  now.wMilliseconds);
    return text;
}

bool TTraceLog::Open(const std::string& fileName) {
    // Others may read the log while it grows.
    File.reset(CreateFileA(fileName.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(File);
}

void TTraceLog::Append(std::string_view stamp, std::string_view line) {
    if (!File)
        return;
    std::string record;
    record.reserve(stamp.size() + line.size() + 3);
    record.append(stamp).append(" ").append(line).append("\r\n");
    DWORD written = 0;
    // One write per line, so that a reader never sees half of one; then straight to disk.
    WriteFile(File.get(), record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    FlushFileBuffers(File.get());
}
