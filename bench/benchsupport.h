#pragma once

#include <QString>

#include <functional>
#include <vector>

// Shared by the benchmarks: a program folder full of test-takers, and a timer that reports the
// median of repeated runs next to a baseline measured in the same run.

// Creates both databases in the folder (when missing) and registers `count` test-takers with
// codes "1" … count, names drawn from small pools (so name searches hit many rows), groups
// A–G, and a full answer row each. Returns false with a message on stderr on failure.
bool generateProgramFolder(const QString &folder, int count);

// Median wall time of `runs` calls, in microseconds; `setup` (not timed) runs before each call.
double medianMicros(int runs, const std::function<void()> &work,
                    const std::function<void()> &setup = {});

// One line of the report: the operation, our time, the baseline's time and their ratio.
void reportRow(const QString &operation, double oursMicros, double baselineMicros);
void reportHeader(const QString &title, int testTakers);

// The folder used by the benchmarks: argv[1] if given, else a generated one under /tmp with
// `count` test-takers (kept between runs, since generating takes a few seconds).
QString benchFolder(int argc, char **argv, int count);
