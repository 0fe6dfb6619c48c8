// What the markup pass and the length count share: which characters share a run.
#pragma once

#include "core/markup/gradient_markup.h"
#include "core/markup/markup_writers_html.h"

namespace gradation {

// Which characters share a run (one tag, one colour code): first as the writer's seam
// says, where the text's own characters decide it (whatever the merging); otherwise
// only neighbours of the same written colour and size when merging; a plain blank goes
// without colour and, when merging, joins the run before it.
// Facts says of character i: seam(i) (how it meets character i - 1), blank(i), and
// key(i) and size_key(i), its colour and size as the writer compares them.
template <class Facts>
class RunTracker {
public:
    RunTracker(Facts facts, const MarkupOptions& o)
        : facts_(facts), merge_(o.merge), plain_blanks_(o.plain_blanks) {}

    bool coloured(std::size_t i) const { return !(plain_blanks_ && facts_.blank(i)); }

    // Starts the run of character i; yields whether it has a colour.
    bool start(std::size_t i) {
        open_coloured_ = coloured(i);
        if (open_coloured_) {
            key_ = facts_.key(i);
            size_ = facts_.size_key(i);
        }
        return open_coloured_;
    }

    bool joins(std::size_t i) const {
        const Seam seam = facts_.seam(i);
        if (seam != Seam::Free) return seam == Seam::Together;
        if (!merge_) return false;
        if (!coloured(i)) return true;
        return open_coloured_ && facts_.key(i) == key_ && facts_.size_key(i) == size_;
    }

    // Whether the colour of character i has a say in joins(i).
    bool colour_decides(std::size_t i) const { return facts_.seam(i) == Seam::Free && merge_ && coloured(i); }

private:
    const Facts facts_;
    bool merge_, plain_blanks_;
    bool open_coloured_ = false;
    std::uint32_t key_ = 0;
    std::int64_t size_ = 0;
};

}  // namespace gradation
