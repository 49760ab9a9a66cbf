#pragma once
// A picture of the whole screen, as a presenter's audience would see it.

#include <string>

// Saves the screen as a PNG file at PATH through the system's own image encoder; false when
// it cannot be taken or written.
bool SaveScreenshot(const std::string& path);
