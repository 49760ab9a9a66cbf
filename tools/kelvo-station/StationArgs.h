#pragma once
// What a station is told on its command line, `"<scheme file>" /demo(i,n)`, and how slowly
// it is asked to answer.

#include <cstdint>
#include <string>
#include <string_view>

struct TStationArgs {
    std::string SchemeFile;
    std::string Title; // the scheme file's name: the station name + ".kelvo"
    std::string Name;
    bool Demo = false; // started by the conductor, which awaits its answers
    int Index = 0;     // i of /demo(i,n): the station's index, sent back with every answer
    int Count = 1;     // n of /demo(i,n)
};

// Reads the two parameters; without /demo the station runs on its own and answers nobody.
// Raises std::runtime_error, with the station's own text, for parameters it cannot use.
TStationArgs ParseStationArgs(const std::string& schemeFile, const std::string& demoSwitch);

// How long the station called NAME waits before each answer, from SETTING: "N" for every
// station, or "Name=N,Name2=M" for the stations named (names compared exactly). Empty or
// unreadable: no wait.
std::uint32_t AnswerDelayMs(std::string_view setting, std::string_view name);

// What the station called NAME is told to do wrong, from SETTING "Name=exit,Name2=silent", to
// show the conductor a product instance that fails: "exit" ends before the first answer,
// "handover" starts a second instance and ends (the second one runs as the station),
// "silent" answers that it is ready and then nothing. Any other value, or none: no fault.
enum class TStationFault : std::uint8_t { None, Exit, HandOver, Silent };
TStationFault StationFault(std::string_view setting, std::string_view name);
