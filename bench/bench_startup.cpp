// Start-up as the user waits for it: from the exec of the program in the demo folder to its first
// frame settled (the last drawing of its main window before 250 ms of quiet), measured from
// outside on the X display, against a bare Qt window of the same size. The two run in
// interleaved pairs while this process holds the display open, so neither pays a server reset.
//
// Usage: bench_startup [--runs N] [--program P] [--demo D] [--bare B]
#include "bench_target.h"
#include "probe_process.h"
#include "x_watch.h"

#include <cstdio>
#include <vector>

namespace {

constexpr int kQuietMs = 250;

struct Start {
    double ms = -1;
    long peakKiB = -1;
};

Start startOnce(XWatch &x, const std::string &program, const std::string &folder)
{
    ProbeProcess probe(program, folder);
    const unsigned long window = x.waitForMappedWindow(probe.startedNs(), 20000);
    if (window == 0)
        return {};
    const XWatch::Drawing drawn = x.waitUntilQuiet(window, kQuietMs, 20000);
    if (drawn.lastDamageNs == 0 || !probe.isRunning())
        return {};
    return {double(drawn.lastDamageNs - probe.startedNs()) / 1e6, probe.peakKiB()};
}

} // namespace

int main(int argc, char **argv)
{
    const BenchTarget target(argc, argv, 21);
    XWatch x;
    if (!x.failure().empty()) {
        std::fprintf(stderr, "bench_startup: %s\n", x.failure().c_str());
        return 1;
    }
    // A pointer left over a button would make the window draw that button's hover look too.
    x.parkPointer();
    std::vector<double> bare, program, ratios, bareKiB, programKiB;
    for (int i = -2; i < target.runs; ++i) { // two pairs to warm the file cache
        const Start b = startOnce(x, target.bare, target.demo);
        const Start p = startOnce(x, target.program, target.demo);
        if (b.ms < 0 || p.ms < 0) {
            std::fprintf(stderr, "bench_startup: %s did not show a settled window\n",
                         (b.ms < 0 ? target.bare : target.program).c_str());
            return 1;
        }
        if (i < 0)
            continue;
        bare.push_back(b.ms);
        program.push_back(p.ms);
        ratios.push_back(p.ms / b.ms);
        bareKiB.push_back(double(b.peakKiB));
        programKiB.push_back(double(p.peakKiB));
    }
    std::printf("start-up, exec to the first frame settled (median of %d interleaved pairs)\n", target.runs);
    std::printf("  program: %s\n", target.program.c_str());
    std::printf("  bare Qt window         %7.1f ms   peak %6.1f MiB\n", median(bare), median(bareKiB) / 1024);
    std::printf("  lookup program         %7.1f ms   peak %6.1f MiB\n", median(program),
                median(programKiB) / 1024);
    std::printf("  ratio (median of pairs) %6.2fx  (goal: at most 1.3x)\n", median(ratios));
    return 0;
}
