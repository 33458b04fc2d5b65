// Every seed and every input that once crashed or hung a fuzz target, run again through the
// same target: the suite keeps what the fuzzer found fixed, and keeps the targets working
// while the engine changes under them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "FuzzTargets.h"

namespace {

struct FuzzInput {
    const FuzzTarget* target;
    std::filesystem::path file;
};

// A failing replay names its file; the bytes themselves would be unreadable in the report.
void PrintTo(const FuzzInput& input, std::ostream* out) {
    *out << input.target->name << ": " << input.file.string();
}

std::vector<FuzzInput> ListInputs(const char* folder) {
    std::vector<FuzzInput> inputs;
    for (const FuzzTarget& target : kFuzzTargets) {
        const auto dir = std::filesystem::path(VEXA_FUZZ_SOURCE_DIR) / folder / target.name;
        if (!std::filesystem::is_directory(dir)) continue;
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::directory_iterator(dir))
            if (entry.is_regular_file()) files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        for (const auto& file : files) inputs.push_back({&target, file});
    }
    return inputs;
}

std::string TestName(const ::testing::TestParamInfo<FuzzInput>& info) {
    std::string name =
        std::string(info.param.target->name) + "_" + info.param.file.filename().string();
    std::replace_if(
        name.begin(), name.end(),
        [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name + "_" + std::to_string(info.index);
}

class FuzzReplay : public ::testing::TestWithParam<FuzzInput> {};

TEST_P(FuzzReplay, RunsThroughItsTarget) {
    std::ifstream in(GetParam().file, std::ios::binary);
    ASSERT_TRUE(in) << GetParam().file;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(
        GetParam().target->entry(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
        0);
}

INSTANTIATE_TEST_SUITE_P(Seeds, FuzzReplay, ::testing::ValuesIn(ListInputs("corpus")), TestName);
INSTANTIATE_TEST_SUITE_P(Regressions, FuzzReplay, ::testing::ValuesIn(ListInputs("regressions")),
                         TestName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(FuzzReplay);

}  // namespace
