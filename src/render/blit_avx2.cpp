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

#pragma GCC push_options
#pragma GCC target("avx2")
#include "render/blit_rows.h"

constinit const kwBlitRows kAvx2Rows = {"avx2", &plainEntry<16>, &runLengthEntry<16>};

#pragma GCC pop_options
#endif
