#pragma once
// The entry of a benchmark program that needs a Qt application: widgets are made offscreen unless the
// caller lets an existing display be used.
#include <cstdlib>

#include <QApplication>
#include <benchmark/benchmark.h>

inline int RunQtBenchmarks(int argc, char** argv, bool useDisplay = false)
{
    if (!useDisplay || (!std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM")))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
