// html_str on the longest clipboard text (32,767 units), with pending events served
// before every character of both passes, beside a floor of the same number (2 x n)
// of bare event servings, measured in the same run. Offscreen unless a platform is set.
#include "app/frm_main.h"
#include "app/program.h"
#include "core/gradient_markup.h"
#include "core/configuration_path.h"

#include <QApplication>
#include <QClipboard>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>

namespace {

using gradation::kMaxTextUnits;

QString longest_text() {
    const QString pattern = QStringLiteral("グラデーション gradation 文字色 abc、");
    QString text;
    while (text.size() < static_cast<qsizetype>(kMaxTextUnits)) text += pattern;
    text.truncate(static_cast<qsizetype>(kMaxTextUnits));
    return text;
}

// The window reads its settings from QX.ini beside this program.
void write_settings() {
    std::ofstream file(gradation::MakeIniFile(), std::ios::binary | std::ios::trunc);
    file << "[UserSetting]\r\n00=standard,OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 0, 128, 255, 255, 128, 0,0\r\n";
}

gradation::app::frmMain* g_window = nullptr;

void BM_html_str(benchmark::State& state) {
    const QString text = longest_text();
    QClipboard* clipboard = QGuiApplication::clipboard();
    for (auto _ : state) {
        state.PauseTiming();
        clipboard->setText(text);
        state.ResumeTiming();
        g_window->html_str();
    }
    if (!clipboard->text().startsWith(QStringLiteral("<FONT"))) state.SkipWithError("the text was not converted");
    state.counters["servings"] = static_cast<double>(2 * kMaxTextUnits);
}

void BM_event_serving_floor(benchmark::State& state) {
    for (auto _ : state) {
        for (std::size_t i = 0; i < 2 * kMaxTextUnits; ++i) QCoreApplication::processEvents();
    }
    state.counters["servings"] = static_cast<double>(2 * kMaxTextUnits);
}

// Keeps each benchmark's mean real time for the ratio printed at the end.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration) times[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int qt_argc = 1;
    QApplication application(qt_argc, argv);
    write_settings();
    gradation::app::Program program;
    program.start();
    g_window = program.main_window();

    benchmark::RegisterBenchmark("BM_html_str", BM_html_str)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("BM_event_serving_floor", BM_event_serving_floor)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto conversion = reporter.times.find("BM_html_str");
    const auto floor = reporter.times.find("BM_event_serving_floor");
    if (conversion != reporter.times.end() && floor != reporter.times.end() && floor->second > 0) {
        std::printf("html_str %.1f ms, floor of %zu event servings %.1f ms, ratio %.2f (target at most 1.30)\n",
                    conversion->second, 2 * kMaxTextUnits, floor->second, conversion->second / floor->second);
    }
    return 0;
}
