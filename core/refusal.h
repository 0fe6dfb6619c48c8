// The one way every layer says "refused": a one-line reason and, where there is one, the
// position (a setting line's field) it is about. Callers word it for their own readers:
// the CLI prints text(), the windows may put reason and position into their language.
#pragma once

#include <expected>
#include <optional>
#include <string>
#include <utility>

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

// A value, or why there is none.
template <class T>
using Result = std::expected<T, Refusal>;

// Done, or why not.
using Outcome = Result<void>;

inline std::unexpected<Refusal> refuse(std::string reason, std::optional<int> position = std::nullopt) {
    return std::unexpected(Refusal{std::move(reason), position});
}

}  // namespace gradation
