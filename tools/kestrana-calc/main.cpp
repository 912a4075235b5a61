// kestrana-calc: headless companion of the program, one verb per job.
#include <cstdio>
#include <cstring>

#include "verbs.h"

namespace {

struct Verb {
    const char* name;
    int (*run)(int, char**);
    const char* help;
};

const Verb kVerbs[] = {
    {"dump", DumpMain, "dump FILE           print a declaration file (E1 or E2) as JSON"},
    {"clear", ClearMain, "clear ...           compute the clearance of a declaration"},
};

int Usage(FILE* to) {
    std::fprintf(to, "usage: kestrana-calc VERB [ARGS]\n");
    for (const auto& v : kVerbs) std::fprintf(to, "  %s\n", v.help);
    return to == stderr ? 2 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage(stderr);
    if (!std::strcmp(argv[1], "-h") || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "help"))
        return Usage(stdout);
    for (const auto& v : kVerbs)
        if (!std::strcmp(argv[1], v.name)) return v.run(argc - 1, argv + 1);
    std::fprintf(stderr, "kestrana-calc: unknown verb '%s'\n", argv[1]);
    return Usage(stderr);
}
