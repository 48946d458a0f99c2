#pragma once

#include <QString>

// What one load costs in resident memory, measured in a process of its own so
// that nothing an earlier load left in the heap counts; and how long that
// first load took, every page of its memory fresh from the system.
struct LoadMemory
{
    double peakMiB = -1;     // highest resident size during the load, above the start
    double retainedMiB = -1; // resident size after the load, above the start
    double coldMs = -1;
    bool ok = false;
};

enum class LoadKind { Ours, Pugixml };

// Runs this program again with the arguments that MeasureLoadMemoryInChild
// understands and reads its answer.
LoadMemory MeasureLoadMemory(LoadKind kind, const QString &path);

// In the child: when the arguments ask for a measurement, makes it, prints
// the answer and ends the process; otherwise returns false.
bool MeasureLoadMemoryInChild(int argc, char **argv);
