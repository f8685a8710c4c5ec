#pragma once

#include <cstdio>
#include <cstdlib>

// A broken property stops the run on the spot, so libFuzzer keeps the input and a replay test fails;
// the message names the property, since the input alone seldom says what went wrong.
#define FUZZ_REQUIRE(condition)                                                                          \
    do {                                                                                                 \
        if (!(condition)) {                                                                              \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition);        \
            std::abort();                                                                                \
        }                                                                                                \
    } while (false)
