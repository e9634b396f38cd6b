// "Query Current Frequency" 50 times against talvex-sim at 19200 baud: the time from the call to
// the decoded frequency in Text1. The answer window closes as soon as the echo and the answer are
// in; the goal is a median under 40 ms (the wire needs about 9 ms). Prints the machine's load
// average beside it. Exits 1 when it is missed.
#include "bench_program.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <vector>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication application(argc, argv);
    talvex::bench::BenchProgram run(QStringLiteral("19200,N,8,1"), {});
    if (!run.startUp()) {
        std::printf("start-up against the simulator failed\n");
        return 1;
    }
    talvex::RadioFields& shown = run.program->radioTexts.fields();
    constexpr int kQueries = 50;
    std::vector<qint64> times;
    for (int i = 0; i < kQueries; ++i) {
        shown.Text1.clear();
        const qint64 start = run.timers.clock.elapsed();
        run.program->radio.queryFrequency();
        if (!run.runUntil([&] { return !shown.Text1.isEmpty(); }, 2000)) {
            std::printf("query %d: no frequency shown within 2 s\n", i + 1);
            return 1;
        }
        times.push_back(run.timers.clock.elapsed() - start);
        run.runUntil([] { return false; }, 100);  // let the line rest between queries
    }
    std::sort(times.begin(), times.end());
    const double median = (times[kQueries / 2 - 1] + times[kQueries / 2]) / 2.0;
    const double mean = std::accumulate(times.begin(), times.end(), 0.0) / kQueries;
    QFile loadFile(QStringLiteral("/proc/loadavg"));
    const QByteArray load = loadFile.open(QIODevice::ReadOnly) ? loadFile.readLine().trimmed() : QByteArray("unknown");
    std::printf("Query Current Frequency -> Text1, %d queries at 19200 baud (load average %s)\n", kQueries,
                load.constData());
    std::printf("min %lld ms   median %.1f ms   mean %.1f ms   max %lld ms   goal (median < 40 ms) %s\n",
                static_cast<long long>(times.front()), median, mean, static_cast<long long>(times.back()),
                median < 40 ? "met" : "MISSED");
    return median < 40 ? 0 : 1;
}
