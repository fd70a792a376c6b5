// Each fuzz target is one function. Built for libFuzzer (GG_LIBFUZZER) it is
// the LLVMFuzzerTestOneInput entry; otherwise it keeps its own name so the
// regular test suite can run every target over the seeds in one program.
#pragma once

#include <cstddef>
#include <cstdint>

#ifdef GG_LIBFUZZER
#define GG_FUZZ_TARGET(name) extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
#else
#define GG_FUZZ_TARGET(name) int name(const uint8_t* data, size_t size)
#endif

int fuzzArchive(const uint8_t* data, size_t size);
int fuzzImage(const uint8_t* data, size_t size);
int fuzzMask(const uint8_t* data, size_t size);
int fuzzSound(const uint8_t* data, size_t size);
int fuzzSettings(const uint8_t* data, size_t size);
int fuzzScript(const uint8_t* data, size_t size);
