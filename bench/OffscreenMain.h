#pragma once
// The main of a benchmark program that needs a Qt application of the kind (QGuiApplication, or
// QApplication for widgets): on the offscreen platform, so no screen is touched and painting still has
// its fonts. The platform is named before the application reads it.
#include <QByteArray>
#include <QtGlobal>
#include <benchmark/benchmark.h>

template <typename Application> int RunOffscreen(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
