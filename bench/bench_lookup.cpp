// The 100-hit lookup as the user waits for it: from a real click on a palette element of the shown
// window to the end of the drawing of the last result cell (the last damage of the main window
// before 250 ms of quiet), against decoding the same 100 glyph files one after another with
// QImage in this process. Also the program's peak memory after five such lookups, against a bare
// Qt window's after its first frame.
//
// Usage: bench_lookup [--runs N] [--program P] [--demo D] [--bare B]
// (N is the number of program starts; each makes one unmeasured lookup and ten measured ones.)
#include "bench_target.h"
#include "character_tables.h"
#include "demo_data_facts.h"
#include "palette_pages.h"
#include "probe_process.h"
#include "runtime_failure.h"
#include "window_places.h"
#include "x_watch.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using namespace quorvel::places;

namespace {

constexpr int kQuietMs = 250;
constexpr int kLookupsPerStart = 11;
constexpr int kLookupsBeforePeak = 5;

// The glyph files of the first 100 rows that hold `element`, as the program finds them.
QStringList hitFiles(int element)
{
    auto tables = std::make_unique<quorvel::CharacterTables>();
    if (!quorvel::runGuarded([&] { quorvel::loadCharacterTables(*tables); }))
        return {};
    QStringList files;
    for (int r = 1; r <= quorvel::kLoadedRows && files.size() < 100; ++r)
        for (int c = 2; c <= 10; ++c)
            if (tables->DecompositionTable(c, r) == element) {
                files << QStringLiteral("./文字/Quorvelコード/%1.gif").arg(tables->DecompositionTable(1, r));
                break;
            }
    return files;
}

// Milliseconds to decode the files one after another.
double decodeAll(const QStringList &files)
{
    QElapsedTimer timer;
    timer.start();
    for (const QString &file : files) {
        const QImage image(file);
        if (image.isNull())
            return -1;
    }
    return double(timer.nsecsElapsed()) / 1e6;
}

bool covers(const QRegion &damaged, const QRect &area)
{
    return (QRegion(area) - damaged).isEmpty();
}

struct Session {
    std::vector<double> lookupMs;
    long peakKiB = -1;
    std::string failure;
};

Session lookUpRepeatedly(XWatch &x, const BenchTarget &target)
{
    Session s;
    ProbeProcess program(target.program, target.demo);
    const unsigned long window = x.waitForMappedWindow(program.startedNs(), 20000);
    if (window == 0 || x.waitUntilQuiet(window, kQuietMs, 20000).lastDamageNs == 0) {
        s.failure = "the main window did not appear";
        return s;
    }
    const QPoint origin = x.origin(window);
    for (int i = 0; i < kLookupsPerStart; ++i) {
        const long long clicked = x.click(origin + elementCentre(quorvel::demo::kCommonElement));
        const XWatch::Drawing drawn = x.waitUntilQuiet(window, kQuietMs, 20000);
        for (int k = 1; k <= 100; ++k)
            if (!covers(drawn.damaged, resultCell(k))) {
                s.failure = "a click did not repaint all 100 result cells (cell " + std::to_string(k) + ")";
                return s;
            }
        if (i > 0)
            s.lookupMs.push_back(double(drawn.lastDamageNs - clicked) / 1e6);
        if (i + 1 == kLookupsBeforePeak)
            s.peakKiB = program.peakKiB();
        // The reset button, not the element again: two clicks on one spot could make a double-click.
        x.click(origin + kResetButton);
        const XWatch::Drawing reset = x.waitUntilQuiet(window, kQuietMs, 20000);
        if (!covers(reset.damaged, resultCell(100))) {
            s.failure = "the reset did not clear the result grid";
            return s;
        }
    }
    if (!program.isRunning())
        s.failure = "the program ended during the lookups";
    return s;
}

long bareWindowPeakKiB(XWatch &x, const BenchTarget &target)
{
    ProbeProcess bare(target.bare, target.demo);
    const unsigned long window = x.waitForMappedWindow(bare.startedNs(), 20000);
    if (window == 0 || x.waitUntilQuiet(window, kQuietMs, 20000).lastDamageNs == 0)
        return -1;
    return bare.peakKiB();
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const BenchTarget target(argc, argv, 3);
    XWatch x;
    if (!x.failure().empty()) {
        std::fprintf(stderr, "bench_lookup: %s\n", x.failure().c_str());
        return 1;
    }
    if (!QDir::setCurrent(QString::fromStdString(target.demo)))
        return 1;
    const QStringList files = hitFiles(quorvel::demo::kCommonElement);
    if (files.size() != 100 || decodeAll(files) < 0) {
        std::fprintf(stderr, "bench_lookup: the demo folder does not give 100 readable hits\n");
        return 1;
    }

    std::vector<double> decodeMs, lookupMs, programKiB, bareKiB;
    for (int run = 0; run < target.runs; ++run) {
        for (int i = 0; i < 7; ++i)
            decodeMs.push_back(decodeAll(files));
        const Session s = lookUpRepeatedly(x, target);
        if (!s.failure.empty()) {
            std::fprintf(stderr, "bench_lookup: %s: %s\n", target.program.c_str(), s.failure.c_str());
            return 1;
        }
        lookupMs.insert(lookupMs.end(), s.lookupMs.begin(), s.lookupMs.end());
        programKiB.push_back(double(s.peakKiB));
        bareKiB.push_back(double(bareWindowPeakKiB(x, target)));
    }
    const double lookup = median(lookupMs), decode = median(decodeMs);
    std::printf("100-hit lookup, click to the last cell drawn (median of %zu clicks, %d program starts)\n",
                lookupMs.size(), target.runs);
    std::printf("  program: %s\n", target.program.c_str());
    std::printf("  decoding the 100 files with QImage  %7.1f ms\n", decode);
    std::printf("  lookup in the program               %7.1f ms\n", lookup);
    std::printf("  ratio                               %7.2fx  (goal: at most 0.3x)\n", lookup / decode);
    std::printf("peak memory (VmHWM, median of %d)\n", target.runs);
    std::printf("  bare Qt window after its first frame      %7.1f MiB\n", median(bareKiB) / 1024);
    std::printf("  program after %d 100-hit lookups           %7.1f MiB\n", kLookupsBeforePeak,
                median(programKiB) / 1024);
    std::printf("  difference                                %+7.1f MiB  (goal: at most +16 MiB)\n",
                (median(programKiB) - median(bareKiB)) / 1024);
    return 0;
}
