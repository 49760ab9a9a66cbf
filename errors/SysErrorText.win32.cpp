#include "errors/err.h"
#include "toolkit/os/Platform.h"

std::string SysErrorText(std::uint32_t code) {
    return os::SystemErrorText(code);
}
