#pragma once

#include <cstddef>
#include <cstdint>
#include <streambuf>
#include <string>

// What the fuzz targets share: the input as text, files to hand the engine, checks and quiet.

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
