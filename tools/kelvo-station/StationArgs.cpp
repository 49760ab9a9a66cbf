#include "StationArgs.h"

#include "os/Cp1251.h"
#include "protocol/QWindowNames.h"
#include "util/TextUtils.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <stdexcept>

namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (cp1251::ToLower(a[i]) != cp1251::ToLower(b[i]))
            return false;
    return true;
}

// A whole decimal number of TEXT, or -1.
int DecimalOf(std::string_view text) {
    int value = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return -1;
    return value;
}

// "/demo(i,n)", keyword in any case; false when PARAM is not of that form.
bool ReadDemoSwitch(std::string_view param, int& index, int& count) {
    constexpr std::string_view prefix = "/demo(";
    if (param.size() < prefix.size() + 4 || !EqualsIgnoringCase(param.substr(0, 6), prefix) ||
        param.back() != ')')
        return false;
    const std::string_view inner = param.substr(prefix.size(), param.size() - prefix.size() - 1);
    const std::size_t comma = inner.find(',');
    if (comma == std::string_view::npos)
        return false;
    index = DecimalOf(inner.substr(0, comma));
    count = DecimalOf(inner.substr(comma + 1));
    return index >= 0 && count > index;
}

} // namespace

TStationArgs ParseStationArgs(const std::string& schemeFile, const std::string& demoSwitch) {
    if (schemeFile.empty())
        throw std::runtime_error("Не указан файл схемы.\r\n"
                                 "Запуск: Kelvo.exe \"<файл схемы>\" [/demo(i,n)]");
    TStationArgs args;
    args.SchemeFile = schemeFile;
    args.Title = FileNamePart(schemeFile);
    args.Name = args.Title;
    constexpr std::string_view schemeExtension = SchemeExtension;
    const std::size_t extension =
        args.Name.size() - std::min(args.Name.size(), schemeExtension.size());
    if (EqualsIgnoringCase(std::string_view(args.Name).substr(extension), schemeExtension))
        args.Name.resize(extension);
    if (!demoSwitch.empty()) {
        if (!ReadDemoSwitch(demoSwitch, args.Index, args.Count))
            throw std::runtime_error("Неверный параметр " + demoSwitch +
                                     ": ожидалось /demo(i,n), 0 <= i < n");
        args.Demo = true;
    }
    return args;
}

namespace {

// The value of NAME's entry in SETTING, "Name=value,Name2=value2" (names compared exactly).
std::optional<std::string_view> EntryFor(std::string_view setting, std::string_view name) {
    while (!setting.empty()) {
        const std::size_t comma = setting.find(',');
        const std::string_view entry = setting.substr(0, comma);
        const std::size_t equals = entry.rfind('=');
        if (equals != std::string_view::npos && entry.substr(0, equals) == name)
            return entry.substr(equals + 1);
        setting = comma == std::string_view::npos ? std::string_view() : setting.substr(comma + 1);
    }
    return std::nullopt;
}

} // namespace

std::uint32_t AnswerDelayMs(std::string_view setting, std::string_view name) {
    if (const int all = DecimalOf(setting); all >= 0)
        return static_cast<std::uint32_t>(all);
    const std::optional<std::string_view> entry = EntryFor(setting, name);
    return entry ? static_cast<std::uint32_t>(std::max(0, DecimalOf(*entry))) : 0;
}

TStationFault StationFault(std::string_view setting, std::string_view name) {
    const std::optional<std::string_view> entry = EntryFor(setting, name);
    if (entry == "exit")
        return TStationFault::Exit;
    if (entry == "handover")
        return TStationFault::HandOver;
    if (entry == "silent")
        return TStationFault::Silent;
    return TStationFault::None;
}
