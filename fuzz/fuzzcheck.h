#pragma once

#include <cstdio>
#include <cstdlib>

// A property every input must keep; a broken one stops the run so that libFuzzer saves the input.
inline void fuzzCheck(bool holds, const char *what)
{
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}
