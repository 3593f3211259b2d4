// One libFuzzer target; FUZZ_TARGET names the entry point.
#include "fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzTargets::FUZZ_TARGET(data, size);
    return 0;
}
