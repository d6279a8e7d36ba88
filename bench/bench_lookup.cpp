// The candidate lookup on the demo data set: a 100-hit lookup with its glyphs loaded anew from
// their files, against loading the same 100 files one after another with QImage; and the scan
// alone (a lookup with no hit loads no glyph).
#include "demo_data_facts.h"
#include "form1.h"

#include <QApplication>
#include <QDir>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

std::unique_ptr<quorvel::Form1> form;

std::unique_ptr<quorvel::Form1> startedForm()
{
    auto f = std::make_unique<quorvel::Form1>();
    if (!quorvel::runGuarded([&] { f->Form_Load(); }))
        std::abort();
    return f;
}

// Both lookups run through the stroke-count box reading なし with one element picked.
void lookupWith(int element, benchmark::State &state)
{
    auto f = startedForm();
    f->Image1_Click(static_cast<std::int16_t>(element));
    for (auto _ : state)
        f->ComboTotal_Click();
    state.counters["cells"] = f->hitCodes()(100) != 0 ? 100 : 0;
}

void BM_FindCandidates100Hits(benchmark::State &state)
{
    lookupWith(quorvel::demo::kCommonElement, state);
}

void BM_Load100GlyphsWithQImage(benchmark::State &state)
{
    auto f = startedForm();
    f->Image1_Click(static_cast<std::int16_t>(quorvel::demo::kCommonElement));
    QStringList paths;
    for (int k = 1; k <= 100; ++k)
        paths << QStringLiteral("./文字/Quorvelコード/%1.gif").arg(f->hitCodes()(k));
    for (auto _ : state)
        for (const QString &path : paths) {
            QImage image(path);
            benchmark::DoNotOptimize(image.constBits());
        }
}

void BM_ScanWithoutHits(benchmark::State &state)
{
    lookupWith(quorvel::demo::kElementWithoutHits, state);
}

BENCHMARK(BM_FindCandidates100Hits)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Load100GlyphsWithQImage)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ScanWithoutHits)->Unit(benchmark::kNanosecond)->MinTime(1.0);

// Prints the lookup's time as a share of the plain sequential load, from the same run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.benchmark_name() == "BM_FindCandidates100Hits/min_time:1.000")
                lookup_ = run.GetAdjustedRealTime();
            if (run.benchmark_name() == "BM_Load100GlyphsWithQImage/min_time:1.000")
                plain_ = run.GetAdjustedRealTime();
        }
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        if (lookup_ > 0 && plain_ > 0)
            std::printf("FindCandidates with 100 hits / 100 QImage loads: %.3f (goal: at most 0.35)\n",
                        lookup_ / plain_);
    }

private:
    double lookup_ = 0;
    double plain_ = 0;
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (!QDir::setCurrent(QStringLiteral(QUORVEL_DEMO_DIR)))
        return 1;
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
