// Writing gradation-cli's output: markup streamed as UTF-8, and every write checked.
#pragma once

#include "core/markup/gradient_markup.h"
#include "core/text/utf8.h"

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

namespace gradation::cli {

// Takes the generator's markup and writes it to `out` as UTF-8, one fixed-size
// chunk at a time as the chunk fills. After a failed write it writes nothing more.
class Utf8ChunkWriter final : public MarkupSink {
public:
    static constexpr std::size_t kChunkBytes = 64 * 1024;

    explicit Utf8ChunkWriter(std::ostream& out) : out_(out) {}
    void append(std::u16string_view piece) override;
    // Writes what is left and flushes the stream; yields false when any write failed.
    bool finish();
    bool failed() const { return failed_; }
    const std::string& error() const { return error_; }  // why, when it is known

private:
    void write_chunk();

    std::ostream& out_;
    Utf8Encoder encoder_;
    char chunk_[kChunkBytes];
    std::size_t used_ = 0;
    bool failed_ = false;
    std::string error_;
};

// Writes `bytes` to `out` and flushes it; yields false, with the reason in `error`
// when it is known, when the write fails.
bool write_checked(std::ostream& out, std::string_view bytes, std::string& error);

}  // namespace gradation::cli
