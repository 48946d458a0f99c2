#include "BenchMain.h"

#include "BenchTree.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>

namespace {
QTemporaryDir *g_folder = nullptr;
}

int BenchMain(int argc, char **argv, const std::function<bool()> &setUp,
              const std::function<void()> &tearDown)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    CBenchTree tree;
    if (!tree.HasLanguageLibrary())
        std::fprintf(stderr, "language library not found: labels stay empty\n");
    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::fprintf(stderr, "cannot make a temporary folder\n");
        return 1;
    }
    if (qEnvironmentVariableIsSet("PROVANA_BENCH_KEEP")) {
        folder.setAutoRemove(false);
        std::fprintf(stderr, "files kept in %s\n", qPrintable(folder.path()));
    }
    g_folder = &folder;
    const bool ready = !setUp || setUp();
    if (ready) {
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        if (tearDown)
            tearDown();
    }
    g_folder = nullptr;
    return ready ? 0 : 1;
}

QString BenchFilePath(const QString &name)
{
    return g_folder->filePath(name);
}
