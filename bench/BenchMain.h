#pragma once

#include <QString>

#include <functional>

// The main of a benchmark program: the Qt application, Google Benchmark's
// options, the language library (a warning when it is missing: labels stay
// empty) and a temporary folder (kept and named when PROVANA_BENCH_KEEP is
// set), then every benchmark. setUp runs just before the benchmarks (false
// ends the program with 1) and tearDown just after.
int BenchMain(int argc, char **argv, const std::function<bool()> &setUp = {},
              const std::function<void()> &tearDown = {});

// A path in the run's temporary folder.
QString BenchFilePath(const QString &name);
