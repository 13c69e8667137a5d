// The benchmarks' shared main: --data=FOLDER names the folder holding the
// generated data (default "data", the working directory's); every other
// argument goes to Google Benchmark.
#pragma once

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

namespace zr::bench {

inline int runWithDataFolder(int argc, char** argv, std::string* data) {
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--data=", 7) == 0) *data = argv[i] + 7;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace zr::bench
