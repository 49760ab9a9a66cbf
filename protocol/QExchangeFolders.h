#pragma once
// A station's exchange point below the temporary folder, where the conductor finds it by the
// number X that the station sends with every answer.

#include <cstdint>
#include <string>

// What every station's root folder begins with, followed by its X in hex.
inline constexpr char ExchangeRootPrefix[] = "$Kelvo$";

struct TExchangeFolders {
    std::string Root; // <temp>\$Kelvo$<X>\, which only that station uses
    std::string Input;
    std::string Output;
};

// <TEMPDIR>$Kelvo$<X in lower-case hex>\<NAME>.kelvo.files\Там.point\Input\ and ...\Output\;
// TEMPDIR ends in a backslash.
TExchangeFolders ExchangeFolders(const std::string& tempDir, std::uint32_t x,
                                 const std::string& name);
