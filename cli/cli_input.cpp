#include "cli/cli_input.h"

#include "cli/cli_messages.h"
#include "core/text/utf8.h"

#include <cerrno>
#include <cstring>
#include <istream>

#include <fcntl.h>
#include <unistd.h>

namespace gradation::cli {
namespace {

enum class ReadEnd { Whole, TooLong, Failed };

// Reads until the end, or until more than `limit` bytes have come (the rest is left
// unread: a never-ending input such as /dev/zero costs no more than the limit).
ReadEnd read_bounded(ByteSource& source, std::size_t limit, std::string& bytes, std::string& error) {
    bytes.clear();
    char chunk[16384];
    for (;;) {
        const std::ptrdiff_t got = source.read(chunk, sizeof chunk, error);
        if (got < 0) return ReadEnd::Failed;
        if (got == 0) return ReadEnd::Whole;
        bytes.append(chunk, static_cast<std::size_t>(got));
        if (bytes.size() > limit) return ReadEnd::TooLong;
    }
}

// A file's or a stream's text as text tools see it: no signature, no final line break.
std::string_view without_signature_and_final_break(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    if (bytes.ends_with("\r\n")) {
        bytes.remove_suffix(2);
    } else if (bytes.ends_with('\n')) {
        bytes.remove_suffix(1);
    }
    return bytes;
}

InputText refused(std::string why) { return {std::nullopt, std::move(why)}; }

std::string too_long(std::size_t units) {
    return "the input has " + std::to_string(units) + " UTF-16 units; at most " + std::to_string(kMaxTextUnits) +
           " can be converted";
}

}  // namespace

std::optional<FdSource> FdSource::open(const std::string& path, std::string& error) {
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    FdSource source(fd);
    source.owned_ = true;
    return source;
}

FdSource::~FdSource() {
    if (owned_) ::close(fd_);
}

std::ptrdiff_t FdSource::read(char* to, std::size_t room, std::string& error) {
    for (;;) {
        const ssize_t got = ::read(fd_, to, room);
        if (got >= 0) return got;
        if (errno == EINTR) continue;
        error = std::strerror(errno);
        return -1;
    }
}

std::ptrdiff_t StreamSource::read(char* to, std::size_t room, std::string& error) {
    if (in_.bad()) {
        error = "read error";
        return -1;
    }
    in_.read(to, static_cast<std::streamsize>(room));
    const std::streamsize got = in_.gcount();
    if (got == 0 && in_.bad()) {
        error = "read error";
        return -1;
    }
    return got;
}

InputText read_input_text(const Options& o, ByteSource& standard_input) {
    std::string bytes;
    std::string_view taken;
    if (o.text) {
        taken = *o.text;  // taken exactly: a final line break or a signature is meant
    } else {
        const bool from_file = o.file && *o.file != "-";
        const std::string name = from_file ? shown(*o.file) : "standard input";
        std::string error;
        std::optional<FdSource> file = from_file ? FdSource::open(*o.file, error) : std::nullopt;
        if (from_file && !file) return refused("cannot read " + name + ": " + error);
        switch (read_bounded(file ? *file : standard_input, kMaxInputBytes, bytes, error)) {
        case ReadEnd::Failed:
            return refused("cannot read " + name + ": " + error);
        case ReadEnd::TooLong:
            return refused("the input is over " + std::to_string(kMaxInputBytes) + " bytes; at most " +
                           std::to_string(kMaxTextUnits) + " UTF-16 units can be converted");
        case ReadEnd::Whole:
            break;
        }
        taken = without_signature_and_final_break(bytes);
    }
    std::optional<std::u16string> text = utf8_to_utf16(taken);
    if (!text) return refused("the input is not valid UTF-8");
    if (text->size() > kMaxTextUnits) return refused(too_long(text->size()));
    return {std::move(text), {}};
}

}  // namespace gradation::cli
