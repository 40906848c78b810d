// Benchmarks of the results load, the history feed conversion, the history sort, the charts,
// the winning check, the start-up, and the analyses of the menu "コマンド" (a line against the
// whole history, the spend and return report, the test of randomness, the statistics beside
// their values under fair draws), over the bundled history
// and synthetic histories of 20,000 and 100,000 draws.
// Prints Google Benchmark's table, then a summary of each figure beside the bare parse of the
// same history and its target.

#include "SyntheticHistory.h"
#include "core/analysis/RandomnessTest.h"
#include "core/analysis/Statistics.h"
#include "core/common/TextLines.h"
#include "core/results/HistoryFeed.h"
#include "core/results/PastDraws.h"
#include "core/results/ResultsFiles.h"
#include "core/tickets/LineHistory.h"
#include "core/tickets/TicketReport.h"
#include "core/tickets/WinningCheck.h"
#include "gui/FindControl.h"
#include "gui/Main.h"
#include "gui/PageContext.h"
#include "gui/dialogs/StatisticsForm.h"
#include "gui/models/HistoryModel.h"
#include "gui/services/ResultsService.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QStringEncoder>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>

namespace
{

constexpr int kBundled = 2037;

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// One program folder per history size, made once.
struct Fixture {
    QTemporaryDir dir;
    SyntheticHistory files;
    std::unique_ptr<TMainForm> form;
};

std::map<int, std::unique_ptr<Fixture>> &fixtures()
{
    static std::map<int, std::unique_ptr<Fixture>> all;
    return all;
}

Fixture &fixture(int draws)
{
    auto &slot = fixtures()[draws];
    if (!slot) {
        slot = std::make_unique<Fixture>();
        if (draws == kBundled) {
            slot->files.draws = readFile(QStringLiteral(LOTO6_BUNDLED_DATA_DIR "/Loto6Number.csv"));
            slot->files.prizes = readFile(QStringLiteral(LOTO6_BUNDLED_DATA_DIR "/Loto6Data.csv"));
        } else {
            slot->files = makeSyntheticHistory(draws);
        }
        writeSyntheticHistory(slot->dir.path(), slot->files);
    }
    return *slot;
}

TMainForm &window(int draws)
{
    Fixture &f = fixture(draws);
    if (!f.form) {
        f.form = std::make_unique<TMainForm>(f.dir.path());
        f.form->show();
    }
    return *f.form;
}

void Parse(benchmark::State &state)
{
    const SyntheticHistory &files = fixture(static_cast<int>(state.range(0))).files;
    // The previous result stays alive until the next one is made, as in the window; freeing
    // it first would let the allocator hand memory back and fault it in again each time.
    ResultsData previous;
    for (auto _ : state) {
        ResultsData data;
        parseResults(splitTextLines(files.draws), splitTextLines(files.prizes), &data);
        benchmark::DoNotOptimize(data.draws.data());
        previous = std::move(data);
    }
}

// The public history feed of the same history (Shift-JIS, oldest first) converted into both
// results files: the download's own work besides the transfer and the parse.
void Feed(benchmark::State &state)
{
    const SyntheticHistory &files = fixture(static_cast<int>(state.range(0))).files;
    const QByteArray feed =
        QStringEncoder("Shift_JIS").encode(historyFeedText(files.draws, files.prizes));
    for (auto _ : state)
        benchmark::DoNotOptimize(convertHistoryFeed(feed).numbers.data());
}

void Load(benchmark::State &state)
{
    TMainForm &form = window(static_cast<int>(state.range(0)));
    for (auto _ : state)
        form.btnMmsUpdateClick();
    state.counters["rows"] =
        control<PageContext>(form, QStringLiteral("PageContext"))->historyList()->rowCount();
}

// A download's work from the fetched bodies to the pages, the transfer left out: the checks,
// the replacement of both files, the pages and the news of the new draws (none: the bodies
// are the local history itself, so every check passes, and no draw is new).
void Download(benchmark::State &state)
{
    Fixture &f = fixture(kBundled);
    TMainForm &form = window(kBundled);
    auto *results = control<ResultsService>(form, "resultsService");
    const ResultsBodies bodies{f.files.draws, f.files.prizes};
    for (auto _ : state)
        benchmark::DoNotOptimize(results->adopt(bodies));
}

void Sort(benchmark::State &state)
{
    TMainForm &form = window(static_cast<int>(state.range(0)));
    QHeaderView *header = control<QTableView>(form, "viewHistory")->horizontalHeader();
    for (auto _ : state)
        emit header->sectionClicked(1); // by date, alternately ascending and descending
}

void Chart(benchmark::State &state)
{
    TMainForm &form = window(kBundled);
    control<QComboBox>(form, "cmbChartKind")->setCurrentIndex(static_cast<int>(state.range(0)));
    for (auto _ : state)
        control<QPushButton>(form, "btnChartExec")->click();
}

void Check(benchmark::State &state)
{
    const SyntheticHistory &files = fixture(kBundled).files;
    ResultsData data;
    parseResults(splitTextLines(files.draws), splitTextLines(files.prizes), &data);
    QVector<TicketLine> tickets;
    for (int i = 0; i < state.range(0); ++i) {
        QStringList row{QString::number(2037 - i % 500)};
        for (int k = 0; k < 6; ++k)
            row << QStringLiteral("%1").arg((i + 7 * k) % 43 + 1, 2, 10, QLatin1Char('0'));
        tickets << readTicketLine(row.join(QLatin1Char(',')));
    }
    const PastDraws history(data);
    for (auto _ : state)
        benchmark::DoNotOptimize(checkTickets(history, tickets));
}

// The bundled history with its prize amounts, as the analysis windows hold it.
PastDraws bundledPastDraws()
{
    const SyntheticHistory &files = fixture(kBundled).files;
    ResultsData data;
    parseResults(splitTextLines(files.draws), splitTextLines(files.prizes), &data);
    return PastDraws(data.draws, splitTextLines(files.prizes));
}

// One line against every draw of the bundled history ("照合").
void LineHistory(benchmark::State &state)
{
    const PastDraws history = bundledPastDraws();
    const NumberSet line = parseLineText(QStringLiteral("07 12 20 23 27 29"));
    for (auto _ : state)
        benchmark::DoNotOptimize(checkLineHistory(line, history));
}

// The spend and return report over saved lines: 20 lines a draw for the newest draws, read
// from their ticket files each time.
void Report(benchmark::State &state)
{
    const PastDraws history = bundledPastDraws();
    QTemporaryDir client;
    const int lines = static_cast<int>(state.range(0));
    constexpr int kLinesPerDraw = 20;
    for (int first = 0; first < lines; first += kLinesPerDraw) {
        const int draw = kBundled - first / kLinesPerDraw;
        QByteArray text;
        for (int i = first; i < first + kLinesPerDraw && i < lines; ++i) {
            text += QByteArray::number(draw);
            for (int k = 0; k < 6; ++k)
                text += ',' + QByteArray::number((i + 7 * k) % 43 + 101).mid(1);
            text += "\r\n";
        }
        QFile file(client.filePath(QString::number(draw) + QStringLiteral(".csv")));
        file.open(QIODevice::WriteOnly);
        file.write(text);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(buildTicketReport(client.path(), history));
}

// The test of randomness over the whole bundled history.
void Randomness(benchmark::State &state)
{
    const PastDraws history = bundledPastDraws();
    for (auto _ : state)
        benchmark::DoNotOptimize(testRandomness(history.draws()));
}

// Every page of the statistics window over the whole bundled history: the figures alone, and
// the window's tables and charts filled with them (the draw count changed back and forth).
void Statistics(benchmark::State &state)
{
    const PastDraws history = bundledPastDraws();
    for (auto _ : state)
        benchmark::DoNotOptimize(computeStatistics(history.draws()));
}

void StatisticsWindow(benchmark::State &state)
{
    StatisticsForm form(bundledPastDraws());
    form.show();
    auto *draws = control<QSpinBox>(form, QStringLiteral("editStatisticsDraws"));
    for (auto _ : state)
        draws->setValue(draws->value() == kBundled ? kBundled - 1 : kBundled);
}

// The whole program started as a process until its window is shown (bench_startup), and the
// floor (bench_startup_floor: a bare window with a Japanese label) in turn with it, so that
// their ratio holds on a quiet machine and a busy one alike. The time is the program's.
void Startup(benchmark::State &state)
{
    Fixture &f = fixture(kBundled);
    const auto run = [](const char *program, const QStringList &arguments, QByteArray *output) {
        QElapsedTimer timer;
        timer.start();
        QProcess child;
        child.start(QString::fromUtf8(program), arguments);
        child.waitForFinished(30000);
        if (output)
            *output = child.readAllStandardOutput();
        return double(timer.nsecsElapsed()) / 1e6;
    };
    double peakMiB = 0;
    double floorMs = 0;
    double programMs = 0;
    for (auto _ : state) {
        floorMs += run(LOTO6_STARTUP_FLOOR, {}, nullptr);
        QByteArray output;
        const double ms = run(LOTO6_STARTUP_PROBE, {f.dir.path()}, &output);
        programMs += ms;
        state.SetIterationTime(ms / 1000.0);
        peakMiB = output.trimmed().toDouble() / 1024.0;
    }
    state.counters["peak_MiB"] = peakMiB;
    state.counters["floor_ms"] = floorMs / double(state.iterations());
    state.counters["x_floor"] = floorMs > 0 ? programMs / floorMs : 0;
}

// Collects the figures for the summary.
class SummaryReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            // Single runs, or the median of repetitions; "Startup/iterations:12/manual_time"
            // is kept as "Startup/manual_time".
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")
                continue;
            std::string name = run.run_name.str();
            const auto fixed = name.find("iterations:");
            if (fixed != std::string::npos)
                name.erase(fixed, name.find('/', fixed) - fixed + 1);
            const double ms =
                run.GetAdjustedRealTime() * (run.time_unit == benchmark::kMillisecond   ? 1.0
                                             : run.time_unit == benchmark::kMicrosecond ? 1e-3
                                                                                        : 1e-6);
            m_ms[name] = ms;
            for (const auto &[key, counter] : run.counters)
                m_counters[name + "/" + key] = counter.value;
        }
    }

    void printSummary() const
    {
        std::printf("\n%-24s %12s %10s   %s\n", "figure", "time (ms)", "x parse", "target");
        auto line = [this](const std::string &name, int draws, const char *target) {
            const auto it = m_ms.find(name);
            if (it == m_ms.end())
                return;
            const auto parse = m_ms.find("Parse/" + std::to_string(draws) + "/real_time");
            const double ratio = parse != m_ms.end() ? it->second / parse->second : 0;
            std::printf("%-24s %12.3f %10.2f   %s\n", name.c_str(), it->second, ratio, target);
        };
        for (int draws : {kBundled, 20000, 100000}) {
            const std::string n = std::to_string(draws);
            line("Parse/" + n + "/real_time", draws, "(the floor)");
            line("Feed/" + n + "/real_time", draws, draws == kBundled ? "<= 3 x parse" : "linear");
            line("Load/" + n + "/real_time", draws,
                 draws == kBundled ? "<= 5 x parse and <= 30 ms"
                                   : (draws == 100000 ? "<= 1500 ms, linear" : "linear"));
            line("Download/" + n + "/real_time", draws,
                 "the fetched bodies to the pages, no transfer");
            line("Sort/" + n + "/real_time", draws,
                 draws == kBundled ? "<= 20 ms" : (draws == 100000 ? "<= 1000 ms" : ""));
        }
        line("Chart/5/real_time", kBundled, "kind 5, all draws");
        line("Chart/6/real_time", kBundled, "kind 6, position 1");
        line("Check/1000/real_time", kBundled, "1,000 lines, no display pauses");
        line("LineHistory/real_time", kBundled, "<= 1 ms, one line, 2037 draws");
        line("Report/10000/real_time", kBundled, "<= 50 ms, 10,000 saved lines");
        line("Randomness/real_time", kBundled, "<= 5 ms, 2037 draws");
        line("Statistics/real_time", kBundled, "<= 20 ms, every page, 2037 draws");
        line("StatisticsWindow/real_time", kBundled, "<= 20 ms, tables and charts too");
        line("Startup/manual_time", kBundled, "<= 400 ms to the window shown");
        const auto counter = [this](const char *key) {
            const auto it = m_counters.find(std::string("Startup/manual_time/") + key);
            return it == m_counters.end() ? 0.0 : it->second;
        };
        std::printf("%-24s %12.3f %10s   %s\n", "Startup floor", counter("floor_ms"), "",
                    "a bare window with a Japanese label, shown once");
        std::printf("%-24s %12.2f %10s   %s\n", "Startup x floor", counter("x_floor"), "",
                    "<= 2.5, runs in turn with the floor");
        std::printf("%-24s %12.1f %10s   %s\n", "Startup peak memory", counter("peak_MiB"), "MiB",
                    "<= 80 MiB");
    }

private:
    std::map<std::string, double> m_ms;
    std::map<std::string, double> m_counters;
};

} // namespace

BENCHMARK(Parse)
    ->Arg(kBundled)
    ->Arg(20000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(Feed)->Arg(kBundled)->Arg(20000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Load)
    ->Arg(kBundled)
    ->Arg(20000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(Download)->Arg(kBundled)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Sort)
    ->Arg(kBundled)
    ->Arg(20000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(Chart)->Arg(5)->Arg(6)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Check)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(LineHistory)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Report)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Randomness)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Statistics)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(StatisticsWindow)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Startup)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(12);

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // A message box waits for a click nobody gives: a benchmark that brings one up ends the
    // run, saying what the box said, rather than waiting for ever.
    QTimer boxWatch;
    QObject::connect(&boxWatch, &QTimer::timeout, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            std::fprintf(stderr, "A message box stopped the benchmarks: %s\n",
                         qPrintable(box->text()));
            std::_Exit(1);
        }
    });
    boxWatch.start(1000);
    benchmark::Initialize(&argc, argv);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printSummary();
    std::fflush(stdout);
    fixtures().clear(); // the windows go before the application
    benchmark::Shutdown();
    return 0;
}
