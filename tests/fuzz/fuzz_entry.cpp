// libFuzzer's entry point.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/fuzz_module.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return zk_fuzz_module(data, size);
}
