#pragma once
// The rehearsal as one page for a browser: report.html, written beside the screenshots.

#include "RehearseReport.h"

#include <string>

// A self-contained UTF-8 HTML page: its style inline, no scripts, and the screenshots linked by
// their file names alone, so that the page finds them in its own folder.
std::string ReportHtml(const TRehearsalReport& report);
