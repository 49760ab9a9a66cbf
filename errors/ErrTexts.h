#pragma once
// The English error texts. They are string resources of the program; the same texts are built
// in, for a build without resources and for a resource that cannot be read.

#include <string>

// The text of resource ID; the empty text for an unknown ID.
std::string ErrorText(unsigned id);

// The built-in copy of the text of resource ID, or nullptr for an unknown ID.
const char* BuiltInErrorText(unsigned id);
