#pragma once

#include <cstddef>
#include <cstdint>
#include <streambuf>
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

// Inputs longer than this are cut: a frame buffer, a script or a table file of this size
// already reaches every limit the engine has.
inline constexpr std::size_t kMaxFuzzInput = 16384;

inline std::string FuzzText(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data),
                       size < kMaxFuzzInput ? size : kMaxFuzzInput);
}

// A file in a folder of this process's own, rewritten for each input: the engine reads its
// data files by path.
std::string ScratchPath(const std::string& name);
std::string WriteScratchFile(const std::string& name, const std::string& bytes);

// Fails the run (abort) when a property the engine promises does not hold.
void FuzzCheck(bool condition, const char* what);

// While it exists, what the engine prints to standard output and error goes nowhere.
class QuietOutput {
  public:
    QuietOutput();
    ~QuietOutput();
    QuietOutput(const QuietOutput&) = delete;
    QuietOutput& operator=(const QuietOutput&) = delete;

  private:
    int m_savedStdout = -1;
    std::streambuf* m_savedCout;
    std::streambuf* m_savedCerr;
};
