#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The fuzz targets: each feeds one input to the engine through the entry points the programs
// use.  libFuzzer runs them (tools/fuzz.sh); the test suite replays the seed corpora and every
// input that ever crashed or hung through the same functions.
using FuzzEntry = int (*)(const std::uint8_t* data, std::size_t size);

struct FuzzTarget {
    const char* name;  // also the folder of its seeds and regression inputs
    FuzzEntry entry;
};

int FuzzExchange(const std::uint8_t* data, std::size_t size);
int FuzzDirectCommand(const std::uint8_t* data, std::size_t size);
int FuzzScript(const std::uint8_t* data, std::size_t size);
int FuzzParamTable(const std::uint8_t* data, std::size_t size);
int FuzzProfiles(const std::uint8_t* data, std::size_t size);
int FuzzParamFile(const std::uint8_t* data, std::size_t size);
int FuzzCliArgs(const std::uint8_t* data, std::size_t size);

inline constexpr FuzzTarget kFuzzTargets[] = {
    {"exchange", FuzzExchange}, {"direct_command", FuzzDirectCommand},
    {"script", FuzzScript},     {"param_table", FuzzParamTable},
    {"profiles", FuzzProfiles}, {"param_file", FuzzParamFile},
    {"cli_args", FuzzCliArgs},
};
