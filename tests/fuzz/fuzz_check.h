#pragma once

#include <cstdio>
#include <cstdlib>

// Stops the run with a report when a property of a target does not hold; libFuzzer then saves the
// input as a crash artifact.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)
