#pragma once
// The window messages spoken between the conductor and its stations: their codes, their
// names in trace lines, and the words a demo script writes for the station commands.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// Message codes, in the user range of window messages (WM_USER is 1024).
inline constexpr std::int32_t QM_OK = 1025;      // station -> conductor: ready, or done
inline constexpr std::int32_t QM_REFRESH = 1026; // ".Refresh"
inline constexpr std::int32_t QM_SYNC = 1027;    // ".Sync"
inline constexpr std::int32_t QM_NEXT = 1028;    // ".Next"
inline constexpr std::int32_t QM_SEND = 1029;    // ".SendTo": never posted, the conductor copies
inline constexpr std::int32_t QM_QUIT = 1030;    // end of the demonstration, no answer
inline constexpr std::int32_t QM_FORCEOK = 1031; // ".ForceOk"
inline constexpr std::int32_t QM_COMPAREBYCRC = 1032; // ".CompareByCRC"

// The symbolic name of a message code for trace lines.
std::string QMName(std::int32_t code);

// A station command and the word a demo script writes for it.
struct TQCommandWord {
    std::string_view Keyword;
    std::int32_t Msg;
};

// Every command, in the order the reader tries them: ".SendTo", which takes a target
// station, comes first.
inline constexpr std::array<TQCommandWord, 6> CommandWords = {{
    {".SendTo", QM_SEND},
    {".Next", QM_NEXT},
    {".Refresh", QM_REFRESH},
    {".Sync", QM_SYNC},
    {".ForceOk", QM_FORCEOK},
    {".CompareByCRC", QM_COMPAREBYCRC},
}};

// The script word of a command code, or ".?" for a code that is no command.
std::string_view CommandKeyword(std::int32_t msg);
