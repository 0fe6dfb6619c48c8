// html_str on the longest clipboard text (32,767 units), with pending events served
// before every character of both passes, beside a floor of the same number (2 x n)
// of bare event servings, measured in the same run. Then fitting at its dearest (a
// limit only one colour meets) in the window and in gradation-cli, run as a program.
// Offscreen unless a platform is set.
#include "app/frm_main.h"
#include "app/program.h"
#include "core/markup/gradient_markup.h"
#include "core/settings_file/configuration_path.h"
#include "core/markup/markup_fit.h"
#include "core/setting_line/setting_record.h"

#include <QApplication>
#include <QClipboard>
#include <QProcess>

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

constexpr char kStandardLine[] =
    "standard,OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 0, 128, 255, 255, 128, 0,0";

// The window reads its settings from QX.ini beside this program.
void write_settings() {
    std::ofstream file(gradation::MakeIniFile(), std::ios::binary | std::ios::trunc);
    file << "[UserSetting]\r\n00=" << kStandardLine << "\r\n";
}

// The shortest minecraft markup of the text: one colour for the whole of it.
gradation::LengthLimit one_colour_limit(const QString& text) {
    using namespace gradation;
    const SettingRecord setting = *parse_setting_line(QString::fromLatin1(kStandardLine).toStdU16String());
    auto never = [] { return false; };
    LengthCounter probe(LengthUnit::Utf16Units);
    return {write_fitted_markup(text.toStdU16String(), setting, default_options(Dialect::Minecraft), {0}, never,
                                never, probe)
                .length};
}

gradation::app::frmMain* g_window = nullptr;

// html_str on the longest text with `choice`, once per iteration; `expected` starts
// the markup it must leave on the clipboard.
void convert_each_time(benchmark::State& state, const gradation::platform::MarkupChoice& choice,
                       const QString& expected) {
    const QString text = longest_text();
    QClipboard* clipboard = QGuiApplication::clipboard();
    g_window->MarkupChoice = choice;
    for (auto _ : state) {
        state.PauseTiming();
        clipboard->setText(text);
        state.ResumeTiming();
        g_window->html_str();
    }
    if (!clipboard->text().startsWith(expected)) state.SkipWithError("the text was not converted");
    g_window->MarkupChoice = {};
}

void BM_html_str(benchmark::State& state) {
    convert_each_time(state, {}, QStringLiteral("<FONT"));
    state.counters["servings"] = static_cast<double>(2 * kMaxTextUnits);
}

void BM_html_str_fit(benchmark::State& state) {
    convert_each_time(state, {gradation::Dialect::Minecraft, one_colour_limit(longest_text())}, QStringLiteral("&#"));
}

// The same fit by gradation-cli, the text through its standard input.
void BM_cli_fit(benchmark::State& state) {
    const QString text = longest_text();
    const QStringList arguments = {QStringLiteral("--line"), QString::fromLatin1(kStandardLine),
                                   QStringLiteral("--format"), QStringLiteral("minecraft"), QStringLiteral("--fit"),
                                   QString::number(one_colour_limit(text).length)};
    const QByteArray input = text.toUtf8();
    QByteArray output;
    for (auto _ : state) {
        QProcess cli;
        cli.start(QStringLiteral(GRADATION_CLI_PATH), arguments);
        cli.write(input);
        cli.closeWriteChannel();
        cli.waitForFinished(-1);
        output = cli.readAllStandardOutput();
    }
    if (!output.startsWith("&#")) state.SkipWithError("gradation-cli did not fit the text");
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
    benchmark::RegisterBenchmark("BM_html_str_fit", BM_html_str_fit)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("BM_cli_fit", BM_cli_fit)->Unit(benchmark::kMillisecond)->UseRealTime();
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
    const auto window_fit = reporter.times.find("BM_html_str_fit");
    const auto cli_fit = reporter.times.find("BM_cli_fit");
    if (window_fit != reporter.times.end() && cli_fit != reporter.times.end() && cli_fit->second > 0) {
        std::printf("fit to one colour: window %.1f ms, gradation-cli %.1f ms, ratio %.2f (target at most 2.00)\n",
                    window_fit->second, cli_fit->second, window_fit->second / cli_fit->second);
    }
    return 0;
}
