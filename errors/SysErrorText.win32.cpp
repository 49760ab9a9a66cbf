#include "errors/err.h"
#include "os/Platform.h"

std::string SysErrorText(std::uint32_t code) {
    return os::SystemErrorText(code);
}
