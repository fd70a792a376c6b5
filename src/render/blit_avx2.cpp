// The AVX2 build of the row routines and blend kernels: the same templates
// as the base build, compiled for 32-byte vectors. Chosen at run time only
// on processors that have AVX2; the pixels are the same as every other
// path's.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "render/blit.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>  // before the target switch, like every system header

// GCC switches the target for everything that follows; clang needs the
// attribute applied to each function instead.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif
#include "render/blit_rows.h"

constinit const kwBlitRows kAvx2Rows = {"avx2", &plainEntry<16>, &runLengthEntry<16>};

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif
#endif
