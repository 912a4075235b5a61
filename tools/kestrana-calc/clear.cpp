// Stand-in until the clearance verb lands.
#include <cstdio>

#include "verbs.h"

int ClearMain(int, char**) {
    std::fprintf(stderr, "kestrana-calc clear: not available yet\n");
    return 2;
}
