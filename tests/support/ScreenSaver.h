#pragma once
// A screen saver set for a test, and put back as it was at the end.

#include <windows.h>

namespace support {

class TScreenSaver {
public:
    explicit TScreenSaver(UINT timeoutSeconds) {
        SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active_, 0);
        SystemParametersInfoW(SPI_GETSCREENSAVETIMEOUT, 0, &timeout_, 0);
        SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr, 0);
        SystemParametersInfoW(SPI_SETSCREENSAVETIMEOUT, timeoutSeconds, nullptr, 0);
    }
    TScreenSaver(const TScreenSaver&) = delete;
    TScreenSaver& operator=(const TScreenSaver&) = delete;
    ~TScreenSaver() {
        SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, active_, nullptr, 0);
        SystemParametersInfoW(SPI_SETSCREENSAVETIMEOUT, timeout_, nullptr, 0);
    }

private:
    BOOL active_ = FALSE;
    UINT timeout_ = 0;
};

} // namespace support
