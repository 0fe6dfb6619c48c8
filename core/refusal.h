// The one way every layer says "refused": a one-line reason and, where there is one, the
// position (a setting line's field) it is about. Callers word it for their own readers:
// the CLI prints text(), the windows may put reason and position into their language.
#pragma once

#if __has_include(<expected>)
#include <expected>
#endif
#include <optional>
#include <string>
#include <utility>
#ifndef __cpp_lib_expected
#include "core/expected_fallback.h"
#endif

namespace gradation {

struct Refusal {
    std::string reason;
    std::optional<int> position;

    // "position N: reason", or the reason alone when there is no position.
    std::string text() const {
        return position ? "position " + std::to_string(*position) + ": " + reason : reason;
    }
    friend bool operator==(const Refusal&, const Refusal&) = default;
};

#ifdef __cpp_lib_expected
// A value, or why there is none.
template <class T>
using Result = std::expected<T, Refusal>;
// What a Result holds when it was refused.
using Refused = std::unexpected<Refusal>;
#else
template <class T>
using Result = fallback::expected<T, Refusal>;
using Refused = fallback::unexpected<Refusal>;
#endif

// Done, or why not.
using Outcome = Result<void>;

inline Refused refuse(std::string reason, std::optional<int> position = std::nullopt) {
    return Refused(Refusal{std::move(reason), position});
}

}  // namespace gradation
