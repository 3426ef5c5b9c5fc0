#pragma once

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#ifdef ZONORA_FUZZ_REPLAY
// Replayed as an ordinary test: a broken invariant fails that row only.
#define FUZZ_CHECK(condition)                                                               \
    do {                                                                                    \
        if (!(condition)) {                                                                 \
            throw std::logic_error(std::string(__FILE__) + ":" + std::to_string(__LINE__) + \
                                   ": invariant broken: " #condition);                      \
        }                                                                                   \
    } while (false)
#else
// A broken invariant is a finding: say which and stop, so the fuzzer keeps
// the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
#endif
