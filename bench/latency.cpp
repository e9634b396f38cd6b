// "Query Current Frequency" 50 times against talvex-sim at 19200 baud: the time from the call to
// the decoded frequency in Text1. The answer window fixes it near 250 ms; the goal is a spread
// (max - min) under 20 ms. Exits 1 when it is missed.
#include "bench_program.h"

#include <QCoreApplication>
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
    talvex::ProgramState& state = run.program->state;
    constexpr int kQueries = 50;
    std::vector<qint64> times;
    for (int i = 0; i < kQueries; ++i) {
        state.radio.Text1.clear();
        const qint64 start = run.timers.clock.elapsed();
        run.program->radio.Option48_Click();
        if (!run.runUntil([&] { return !state.radio.Text1.isEmpty(); }, 2000)) {
            std::printf("query %d: no frequency shown within 2 s\n", i + 1);
            return 1;
        }
        times.push_back(run.timers.clock.elapsed() - start);
        run.runUntil([] { return false; }, 100);  // let the line rest between queries
    }
    const auto [low, high] = std::minmax_element(times.begin(), times.end());
    const double mean = std::accumulate(times.begin(), times.end(), 0.0) / kQueries;
    const qint64 spread = *high - *low;
    std::printf("Query Current Frequency -> Text1, %d queries at 19200 baud\n", kQueries);
    std::printf("min %lld ms   mean %.1f ms   max %lld ms   spread %lld ms   goal (spread < 20 ms) %s\n",
                static_cast<long long>(*low), mean, static_cast<long long>(*high), static_cast<long long>(spread),
                spread < 20 ? "met" : "MISSED");
    return spread < 20 ? 0 : 1;
}
