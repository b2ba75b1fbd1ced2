// The one entry point of gleamstrand-bench; the benchmarks live beside it.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
