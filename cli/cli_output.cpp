#include "cli/cli_output.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ostream>

namespace gradation::cli {
namespace {

// Writes and flushes; errno is cleared first so that a reason found afterwards
// belongs to this write.
bool write_and_flush(std::ostream& out, const char* data, std::size_t size, std::string& error) {
    errno = 0;
    if (size > 0) out.write(data, static_cast<std::streamsize>(size));
    out.flush();
    if (out) return true;
    error = errno != 0 ? std::strerror(errno) : "";
    return false;
}

}  // namespace

void Utf8ChunkWriter::append(std::u16string_view piece) {
    while (!piece.empty() && !failed_) {
        const std::size_t room = kChunkBytes - used_;
        if (room < Utf8Encoder::room_for(16)) {
            write_chunk();
            continue;
        }
        const std::size_t take = std::min(piece.size(), (room - Utf8Encoder::room_for(0)) / 3);
        used_ = static_cast<std::size_t>(encoder_.encode(piece.substr(0, take), chunk_ + used_) - chunk_);
        piece.remove_prefix(take);
    }
}

void Utf8ChunkWriter::write_chunk() {
    if (failed_ || used_ == 0) return;
    errno = 0;
    out_.write(chunk_, static_cast<std::streamsize>(used_));
    used_ = 0;
    if (!out_) {
        failed_ = true;
        error_ = errno != 0 ? std::strerror(errno) : "";
    }
}

bool Utf8ChunkWriter::finish() {
    if (kChunkBytes - used_ < Utf8Encoder::room_for(0)) write_chunk();
    used_ = static_cast<std::size_t>(encoder_.finish(chunk_ + used_) - chunk_);
    write_chunk();
    if (!failed_) failed_ = !write_and_flush(out_, nullptr, 0, error_);
    return !failed_;
}

bool write_checked(std::ostream& out, std::string_view bytes, std::string& error) {
    return write_and_flush(out, bytes.data(), bytes.size(), error);
}

}  // namespace gradation::cli
