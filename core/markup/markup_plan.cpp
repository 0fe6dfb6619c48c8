#include "core/markup/markup_plan.h"

#include "core/colour/gradient_steps.h"
#include "core/text/characters.h"
#include "core/markup/markup_dialects.h"
#include "core/setting_line/setting_meaning.h"

#include <algorithm>

namespace gradation {
namespace {

// The font size of each character in a size wave; the offset o lives for one run.
// Arithmetic is wide, so no SizeValue and text length can overflow it.
class SizeWave {
public:
    SizeWave(long long n, int value, WavePattern pattern)
        : n_(n), value_(value), pattern_(pattern), half_(n / 2),
          third_(n / 3 == 0 ? 1 : n / 3), sixth_(n / 6 == 0 ? 1 : n / 6) {}

    long long size_of(long long i) {
        long long size = value_;
        switch (pattern_) {
        case WavePattern::Valley:
        case WavePattern::Mountain: {
            const int dir = pattern_ == WavePattern::Valley ? -1 : 1;  // valley falls first, mountain rises
            if (i <= half_) {
                size = value_ + dir * o_;
                if ((i - 1) % sixth_ == 0) step_and_clamp(dir);
            } else if (i == half_ + 1) {
                size = value_ + dir * o_;
            } else {
                if ((n_ - i) % sixth_ == 0) --o_;
                size = value_ + dir * o_;
            }
            break;
        }
        case WavePattern::Falling:
        case WavePattern::Rising: {
            const int dir = pattern_ == WavePattern::Falling ? -1 : 1;
            size = value_ + dir * o_;
            if ((i - 1) % third_ == 0) step_and_clamp(dir);
            break;
        }
        }
        return size;
    }

private:
    // Moves the offset one step; a falling size stops at the smallest font size, a
    // rising one at the largest: html has no size outside them.
    void step_and_clamp(int dir) {
        ++o_;
        if (dir < 0 && value_ - o_ < kSmallestFontSize) o_ = value_ - kSmallestFontSize;
        if (dir > 0 && value_ + o_ > kLargestFontSize) o_ = kLargestFontSize - value_;
    }

    long long n_, value_;
    WavePattern pattern_;
    long long half_, third_, sixth_;
    long long o_ = 0;
};

SizeKind size_kind_of(const SettingRecord& s) {
    if (size_mode(s) == SizeMode::None) return SizeKind::None;
    if (size_mode(s) == SizeMode::Absolute) return SizeKind::Absolute;
    if (s.SizeSign == 0) return SizeKind::RelativePlus;
    if (s.SizeSign == 1) return SizeKind::RelativeMinus;
    return SizeKind::RelativeBare;
}

}  // namespace

std::vector<Colour> setting_colours(const SettingRecord& s, std::size_t n) {
    return gradient_colours(s.gradient.value_or(two_stop_gradient(s.StartColor, s.EndColor)), static_cast<int>(n));
}

std::vector<std::uint32_t> coarse_sources(std::size_t n, std::size_t g) {
    const std::size_t groups = g == 0 ? n : (n + g - 1) / g;
    std::vector<std::uint32_t> sources(groups, 0);
    for (std::size_t j = 1; j < groups; ++j)
        sources[j] = static_cast<std::uint32_t>((j * (n - 1) + (groups - 1) / 2) / (groups - 1));
    return sources;
}

std::vector<Colour> coarse_colours(std::span<const Colour> colours, std::size_t g) {
    const std::size_t n = colours.size();
    if (g <= 1 || n == 0) return {colours.begin(), colours.end()};
    const std::vector<std::uint32_t> sources = coarse_sources(n, g);
    std::vector<Colour> out(n);
    for (std::size_t j = 0; j < sources.size(); ++j) {
        std::fill(out.begin() + static_cast<std::ptrdiff_t>(j * g),
                  out.begin() + static_cast<std::ptrdiff_t>(std::min(n, (j + 1) * g)), colours[sources[j]]);
    }
    return out;
}

std::optional<MarkupPlan> build_plan(std::u16string_view text, const SettingRecord& s, FunctionRef<bool()> cancel) {
    const std::vector<std::uint32_t> starts = character_starts(text);
    const std::size_t n = starts.size() - 1;
    MarkupPlan plan{text, s, size_kind_of(s), {}, setting_colours(s, n)};
    const bool waving = generator_waves(s);
    SizeWave wave(static_cast<long long>(n), s.SizeValue, wave_pattern(s).value_or(WavePattern::Valley));
    plan.characters.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (cancel()) return std::nullopt;
        PlannedCharacter& c = plan.characters[i];
        c.from = starts[i];
        c.length = starts[i + 1] - starts[i];
        c.size = waving ? wave.size_of(static_cast<long long>(i + 1)) : s.SizeValue;
        c.blank = is_blank(plan.character(i));
    }
    return plan;
}

int size_level(SizeKind kind, std::int64_t size) {
    std::int64_t level = size;
    if (kind == SizeKind::RelativePlus) level = kBaseFontSize + size;
    if (kind == SizeKind::RelativeMinus) level = kBaseFontSize - size;
    return static_cast<int>(std::clamp<std::int64_t>(level, kSmallestFontSize, kLargestFontSize));
}

}  // namespace gradation
