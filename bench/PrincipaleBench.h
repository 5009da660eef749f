#pragma once
// The main of the benchmarks of logic: a core application (files, codecs) around Google Benchmark.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#define ZAVETRA_BENCHMARK_MAIN()             \
    int main(int argc, char** argv) {        \
        QCoreApplication app(argc, argv);    \
        benchmark::Initialize(&argc, argv);  \
        benchmark::RunSpecifiedBenchmarks(); \
        benchmark::Shutdown();               \
        return 0;                            \
    }
