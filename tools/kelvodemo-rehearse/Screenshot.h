#pragma once
// A picture of the whole screen, as a presenter's audience would see it.

#include <string>

// Saves the screen as a 24-bit BMP file at PATH; false when it cannot be taken or written.
bool SaveScreenshot(const std::string& path);
