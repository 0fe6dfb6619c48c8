// Reading the text to convert: bounded, and every read error reported.
#pragma once

#include "cli/cli_options.h"
#include "core/markup/gradient_markup.h"

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>

namespace gradation::cli {

// Bytes from a file descriptor, or from a stream in the tests.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads up to `room` bytes: how many, 0 at the end, or -1 with the reason in `error`.
    virtual std::ptrdiff_t read(char* to, std::size_t room, std::string& error) = 0;
};

// A file descriptor: standard input (not closed here), or a file opened by name.
class FdSource final : public ByteSource {
public:
    explicit FdSource(int fd) : fd_(fd) {}
    // Opens `path` for reading; nothing, with the reason in `error`, when it cannot.
    static std::optional<FdSource> open(const std::string& path, std::string& error);
    FdSource(FdSource&& other) noexcept : fd_(other.fd_), owned_(other.owned_) { other.owned_ = false; }
    FdSource& operator=(FdSource&&) = delete;
    ~FdSource() override;

    std::ptrdiff_t read(char* to, std::size_t room, std::string& error) override;

private:
    int fd_;
    bool owned_ = false;
};

// A stream; its bad state (a failed read of the stream buffer) is a read error.
class StreamSource final : public ByteSource {
public:
    explicit StreamSource(std::istream& in) : in_(in) {}
    std::ptrdiff_t read(char* to, std::size_t room, std::string& error) override;

private:
    std::istream& in_;
};

// No UTF-8 form takes more than 4 bytes per UTF-16 unit, so an input longer than this
// (byte order mark and final line break included) is too long without decoding it.
inline constexpr std::size_t kMaxInputBytes = 4 * kMaxTextUnits;

struct InputText {
    std::optional<std::u16string> text;
    std::string error;  // why there is no text
};

// The text to convert: --text as it is; a file or standard input read up to the
// limit, then without a leading UTF-8 byte order mark and without one final line
// break (LF or CR LF), as text tools take a file. Not longer than kMaxTextUnits.
InputText read_input_text(const Options& options, ByteSource& standard_input);

}  // namespace gradation::cli
