// The libFuzzer entry of one target; the build names the target in VEXA_FUZZ_ENTRY.
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return VEXA_FUZZ_ENTRY(data, size);
}
