// The page and the pictures that the example's rehearsal left in its folder
// (KELVO_REHEARSAL_SHOTS): every step is there with its picture, and every picture is a PNG
// of the whole screen.
#include "tools/kelvodemo-rehearse/RehearseScript.h"

#include "os/Platform.h"
#include "tests/support/Where.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The file names of the page's pictures, in order.
std::vector<std::string> PicturesOf(const std::string& page) {
    std::vector<std::string> names;
    const std::string src = "<img src=\"";
    for (std::size_t at = page.find(src); at != std::string::npos; at = page.find(src, at)) {
        at += src.size();
        names.push_back(page.substr(at, page.find('"', at) - at));
    }
    return names;
}

std::uint32_t BigEndian(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = at; i < at + 4; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes[i]);
    return value;
}

// A whole PNG file of the screen's size: its signature, a first IHDR chunk with the screen's
// width and height, and the IEND chunk at its end.
void ExpectScreenPng(const std::string& path, support::TWhere where = support::TWhere::current()) {
    std::string bytes;
    if (!os::ReadWholeFile(path, bytes) || bytes.size() < 8 + 25 + 12)
        return support::FailAt(where, path + " is missing or too short");
    if (bytes.compare(0, 16, std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16)) != 0)
        return support::FailAt(where, path + " does not begin as a PNG file");
    const auto width = static_cast<std::uint32_t>(GetSystemMetrics(SM_CXSCREEN));
    const auto height = static_cast<std::uint32_t>(GetSystemMetrics(SM_CYSCREEN));
    if (BigEndian(bytes, 16) != width || BigEndian(bytes, 20) != height)
        support::FailAt(where, path + " is not of the screen's size");
    if (bytes.compare(bytes.size() - 12, 12, std::string("\0\0\0\0IEND\xae\x42\x60\x82", 12)) != 0)
        support::FailAt(where, path + " does not end as a PNG file");
}

TEST(RehearsalOfTheExample, PageNamesEveryStepAndEveryPictureOfTheScreen) {
    const std::string folder = Environment("KELVO_REHEARSAL_SHOTS");
    const TScriptOutline script = ReadScriptOutline(Environment("KELVO_REHEARSAL_SCRIPT"));
    std::string page;
    ASSERT_TRUE(os::ReadWholeFile(folder + "/report.html", page));
    const std::vector<std::string> pictures = PicturesOf(page);
    EXPECT_EQ(pictures.size(), script.Comments.size()) << "one picture per step, no time-out";
    for (std::size_t i = 0; i < script.Comments.size(); ++i) {
        const std::string number = std::to_string(i + 1);
        const std::size_t at = page.find("<article class=\"step\" id=\"step-" + number + "\">");
        ASSERT_NE(at, std::string::npos) << "step " << number;
        const std::string step = page.substr(at, page.find("</article>", at) - at);
        const std::string shot = (i < 9 ? "step-0" : "step-") + number + ".png";
        EXPECT_NE(step.find("<a href=\"" + shot + "\"><img src=\"" + shot + "\""),
                  std::string::npos)
            << "step " << number;
        for (const std::string& command : script.Commands[i])
            EXPECT_NE(step.find("<code>" + command + "</code>"), std::string::npos) << command;
    }
    for (const std::string& name : pictures)
        ExpectScreenPng(folder + "/" + name);
}

} // namespace
