// "Query Current Frequency" 50 times against talvex-sim at 19200 baud: the time from the call to
// the frequency read, as the Radio window shows it. The answer window closes as soon as the echo and the answer are
// in; the goal is a median under 40 ms (the wire needs about 9 ms). Prints the machine's load
// average beside it. Exits 1 when it is missed.
#include "bench_program.h"

#include "link/link_listener.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <numeric>
#include <optional>
#include <vector>

namespace {

// The frequency answers the link read.
class FrequencyRead final : public talvex::LinkListener {
public:
    void answerRead(const talvex::RadioReading& reading) override
    {
        if (const auto* frequency = std::get_if<talvex::FrequencyReading>(&reading))
            hz = frequency->hz;
    }

    std::optional<std::int64_t> hz;
};

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication application(argc, argv);
    FrequencyRead read;  // before the program, which tells it until it ends
    talvex::bench::BenchProgram run(QStringLiteral("19200,N,8,1"), {});
    if (!run.startUp()) {
        std::printf("start-up against the simulator failed\n");
        return 1;
    }
    run.program->link.addListener(read);
    constexpr int kQueries = 50;
    std::vector<qint64> times;
    for (int i = 0; i < kQueries; ++i) {
        read.hz.reset();
        const qint64 start = run.timers.clock.elapsed();
        run.program->radio.queryFrequency();
        if (!run.runUntil([&] { return read.hz.has_value(); }, 2000)) {
            std::printf("query %d: no frequency read within 2 s\n", i + 1);
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
    std::printf("Query Current Frequency -> its frequency read, %d queries at 19200 baud (load average %s)\n", kQueries,
                load.constData());
    std::printf("min %lld ms   median %.1f ms   mean %.1f ms   max %lld ms   goal (median < 40 ms) %s\n",
                static_cast<long long>(times.front()), median, mean, static_cast<long long>(times.back()),
                median < 40 ? "met" : "MISSED");
    return median < 40 ? 0 : 1;
}
