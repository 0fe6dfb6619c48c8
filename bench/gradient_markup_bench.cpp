// gradient_markup on the longest text (32,767 units, ASCII mixed with Japanese), in the
// plainest and the heaviest form, beside a floor that only copies a buffer of the
// same output size; the heaviest form again with 16 stops in oklch; and the character
// segmentation on its own. At the end it prints how the oklch forms compare with the sRGB one.
#include "core/text/characters.h"
#include "core/markup/gradient_markup.h"
#include "core/markup/markup_fit.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>

#include <unistd.h>

namespace gradation {
namespace {

std::u16string mixed_text() {
    const std::u16string pattern = u"グラデーション gradation 文字色 abc、";
    std::u16string text;
    while (text.size() < kMaxTextUnits) text += pattern;
    text.resize(kMaxTextUnits);
    return text;
}

SettingRecord plain_setting() {
    SettingRecord s;
    s.Direction = u'H';
    s.SizeValue = 1;
    s.StartColor = {0, 128, 255};
    s.EndColor = {255, 128, 0};
    return s;
}

SettingRecord heaviest_setting() {
    SettingRecord s = plain_setting();
    s.StartMark = s.EndMark = s.BreakAfter = s.Underline = s.Italic = s.Bold = true;
    s.SizeMode = 1;
    s.SizeValue = 4;
    s.SizeWave = true;
    s.WavePattern = 1;
    s.TableWrap = true;
    s.TableBorder = 2;
    s.Direction = u'V';
    return s;
}

// Sixteen stops round the hue circle, blended in oklch. Between sRGB's pure hues nearly
// every character lies outside sRGB and goes through gamut mapping: the costliest colour
// work. Between pastels none does.
constexpr Colour kPure[16] = {{255, 0, 0},   {255, 128, 0}, {255, 255, 0}, {128, 255, 0}, {0, 255, 0},   {0, 255, 128},
                           {0, 255, 255}, {0, 128, 255}, {0, 0, 255},   {128, 0, 255}, {255, 0, 255}, {255, 0, 128},
                           {128, 0, 0},   {0, 128, 0},   {0, 0, 128},   {255, 255, 255}};
constexpr Colour kPastel[16] = {{235, 173, 173}, {235, 196, 173}, {235, 219, 173}, {227, 235, 173},
                             {204, 235, 173}, {181, 235, 173}, {173, 235, 189}, {173, 235, 212},
                             {173, 235, 235}, {173, 212, 235}, {173, 189, 235}, {181, 173, 235},
                             {204, 173, 235}, {227, 173, 235}, {235, 173, 219}, {235, 173, 196}};

SettingRecord heaviest_oklch_setting(const Colour (&colours)[16]) {
    SettingRecord s = heaviest_setting();
    Gradient g{GradientSpace::Oklch, {}};
    for (int k = 0; k < 16; ++k) g.stops.push_back({colours[k], k * 100 / 15});
    s.StartColor = g.stops.front().colour;
    s.EndColor = g.stops.back().colour;
    s.gradient = g;
    return s;
}

void report(benchmark::State& state, std::size_t characters, std::size_t output_units) {
    const auto runs = static_cast<double>(state.iterations());
    state.counters["chars/s"] = benchmark::Counter(runs * static_cast<double>(characters), benchmark::Counter::kIsRate);
    state.counters["out_bytes/s"] =
        benchmark::Counter(runs * static_cast<double>(output_units * 2), benchmark::Counter::kIsRate);
    state.counters["out_bytes"] = static_cast<double>(output_units * 2);
}

void run_markup(benchmark::State& state, const SettingRecord& setting, bool separate,
                const MarkupOptions& options = {}) {
    const std::u16string text = mixed_text();
    std::size_t size = 0;
    auto tags = [separate] { return separate; };
    auto never = [] { return false; };
    for (auto _ : state) {
        auto markup = gradient_markup(text, setting, tags, never, options);
        benchmark::DoNotOptimize(markup->data());
        size = markup->size();
    }
    report(state, text.size(), size);
}

// Copies a buffer as large as the markup: what writing the output costs at the least.
void run_copy_floor(benchmark::State& state, const SettingRecord& setting, bool separate) {
    const std::u16string text = mixed_text();
    const std::u16string source = gradient_markup(text, setting, separate);
    for (auto _ : state) {
        std::u16string copy(source.size(), u'\0');
        std::memcpy(copy.data(), source.data(), source.size() * sizeof(char16_t));
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    report(state, text.size(), source.size());
}

// The longest text made of clusters that need ICU's rules: marks, emoji sequences, flags.
std::u16string cluster_text() {
    const std::u16string pattern = u"か\u3099e\u0301\U0001F44D\U0001F3FD\U0001F1EF\U0001F1F5\u2764\uFE0F";
    std::u16string text;
    while (text.size() + pattern.size() <= kMaxTextUnits) text += pattern;
    return text;
}

// Finding the characters alone: in the mixed text (part of the runs below), and in a
// text of clusters that need ICU's rules.
void run_segmentation(benchmark::State& state, const std::u16string& text) {
    std::size_t n = 0;
    for (auto _ : state) {
        const auto starts = character_starts(text);
        benchmark::DoNotOptimize(starts.data());
        n = starts.size() - 1;
    }
    report(state, n, 0);
}

void BM_Segmentation(benchmark::State& state) { run_segmentation(state, mixed_text()); }
void BM_SegmentationClusters(benchmark::State& state) { run_segmentation(state, cluster_text()); }

void BM_Plain(benchmark::State& state) { run_markup(state, plain_setting(), false); }
void BM_PlainCopyFloor(benchmark::State& state) { run_copy_floor(state, plain_setting(), false); }
void BM_Heaviest(benchmark::State& state) { run_markup(state, heaviest_setting(), true); }
void BM_HeaviestCopyFloor(benchmark::State& state) { run_copy_floor(state, heaviest_setting(), true); }
void BM_HeaviestOklch16(benchmark::State& state) { run_markup(state, heaviest_oklch_setting(kPure), true); }
void BM_HeaviestOklch16Pastel(benchmark::State& state) { run_markup(state, heaviest_oklch_setting(kPastel), true); }

// The heaviest setting in every dialect, unshortened: a tag or code for every character.
void BM_Dialect(benchmark::State& state) {
    MarkupOptions o;
    o.dialect = dialects()[static_cast<std::size_t>(state.range(0))].dialect;
    state.SetLabel(std::string(dialect_info(o.dialect).name));
    run_markup(state, heaviest_setting(), true, o);
}

// Fitting at its dearest: a limit that only one colour for the whole text meets, so
// every number of colour steps is measured before it; in every dialect, with the plain
// setting and with the heaviest (sizes, so more kinds of run).
void BM_FitToOneColour(benchmark::State& state) {
    const std::u16string text = mixed_text();
    const MarkupOptions o = default_options(dialects()[static_cast<std::size_t>(state.range(0))].dialect);
    const SettingRecord setting = state.range(1) == 0 ? plain_setting() : heaviest_setting();
    state.SetLabel(std::string(dialect_info(o.dialect).name) + (state.range(1) == 0 ? ", plain" : ", heaviest"));
    auto never = [] { return false; };
    LengthCounter probe(LengthUnit::Utf16Units);
    const LengthLimit limit{write_fitted_markup(text, setting, o, {0}, never, never, probe).length};
    const std::size_t n = character_starts(text).size() - 1;
    for (auto _ : state) {
        LengthCounter sink(limit.unit);
        const FitResult r = write_fitted_markup(text, setting, o, limit, never, never, sink);
        if (r.used.characters_per_colour != n) state.SkipWithError("not fitted to one colour");
        benchmark::DoNotOptimize(r.length);
    }
}
BENCHMARK(BM_Segmentation)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SegmentationClusters)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Plain)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainCopyFloor)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Heaviest)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HeaviestCopyFloor)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HeaviestOklch16)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HeaviestOklch16Pastel)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Dialect)->DenseRange(0, 8)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FitToOneColour)
    ->ArgsProduct({benchmark::CreateDenseRange(0, 8, 1), {0, 1}})
    ->Unit(benchmark::kMillisecond);

// Shows every run as usual and keeps each benchmark's real time (the median, when
// repetitions give one) for the ratios printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_None) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.aggregate_name.empty() || run.aggregate_name == "median")
                times_[run.run_name.function_name] = run.GetAdjustedRealTime();
    }

    void print_ratios() const {
        const auto base = times_.find("BM_Heaviest");
        if (base == times_.end()) return;
        for (const char* name : {"BM_HeaviestOklch16", "BM_HeaviestOklch16Pastel"})
            if (const auto it = times_.find(name); it != times_.end())
                std::printf("%s / BM_Heaviest: %.2f\n", name, it->second / base->second);
    }

private:
    std::map<std::string, double> times_;
};

}  // namespace
}  // namespace gradation

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    gradation::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.print_ratios();
    benchmark::Shutdown();
    return 0;
}
