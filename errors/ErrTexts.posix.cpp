#include "errors/ErrTexts.h"

// Native builds have no resources: the built-in texts are the texts.
std::string ErrorText(unsigned id) {
    const char* text = BuiltInErrorText(id);
    return text ? text : "";
}
