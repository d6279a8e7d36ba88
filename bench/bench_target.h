#pragma once

#include <cstdlib>
#include <cstring>
#include <string>

// What a benchmark measures: the program, the demo folder it runs in, and the bare Qt window it is
// set against. Built-in defaults are this build's; `--program`, `--demo` and `--bare` (or the
// variables QUORVEL_BENCH_PROGRAM and QUORVEL_BENCH_DEMO) point at another build, a baseline say.
struct BenchTarget {
    std::string program = QUORVEL_PROGRAM;
    std::string demo = QUORVEL_DEMO_DIR;
    std::string bare = QUORVEL_BARE_WINDOW;
    int runs = 0;

    BenchTarget(int argc, char **argv, int defaultRuns) : runs(defaultRuns)
    {
        if (const char *p = std::getenv("QUORVEL_BENCH_PROGRAM"); p != nullptr && *p != '\0')
            program = p;
        if (const char *d = std::getenv("QUORVEL_BENCH_DEMO"); d != nullptr && *d != '\0')
            demo = d;
        for (int i = 1; i + 1 < argc; i += 2) {
            if (std::strcmp(argv[i], "--program") == 0)
                program = argv[i + 1];
            else if (std::strcmp(argv[i], "--demo") == 0)
                demo = argv[i + 1];
            else if (std::strcmp(argv[i], "--bare") == 0)
                bare = argv[i + 1];
            else if (std::strcmp(argv[i], "--runs") == 0)
                runs = std::atoi(argv[i + 1]);
        }
    }
};
