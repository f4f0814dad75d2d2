// The one check the fuzz targets use: a property that must hold for every input; a
// violation names itself and aborts, so libFuzzer keeps the input.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond)                                                                      \
    do {                                                                                      \
        if (!(cond)) {                                                                        \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__); \
            std::abort();                                                                     \
        }                                                                                     \
    } while (0)
