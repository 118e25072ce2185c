#pragma once

#include <cstdio>
#include <cstdlib>

// A property that every input must keep: when it does not, the input is a finding like a crash.
inline void verifier(bool condition, const char *propriete)
{
    if (condition)
        return;
    std::fprintf(stderr, "Propriété non tenue : %s\n", propriete);
    std::abort();
}
