// The text backend of the native programs: ICU's character break iterator and its
// "windows-31j" converter.
#include "core/text/text_backend.h"

#include <unicode/ubrk.h>
#include <unicode/ucnv.h>

#include <memory>

namespace gradation::text_backend {
namespace {

// ICU's character break iterator, opened on first use (a text of common characters never
// needs it, and opening it loads ICU's rules) and kept for the thread's lifetime.
class BreakIterator {
public:
    BreakIterator() {
        UErrorCode status = U_ZERO_ERROR;
        it_ = ubrk_open(UBRK_CHARACTER, "", nullptr, 0, &status);
        if (U_FAILURE(status) && it_ != nullptr) {
            ubrk_close(it_);
            it_ = nullptr;
        }
    }
    BreakIterator(const BreakIterator&) = delete;
    BreakIterator& operator=(const BreakIterator&) = delete;
    ~BreakIterator() {
        if (it_ != nullptr) ubrk_close(it_);
    }
    UBreakIterator* get() const { return it_; }  // nullptr when ICU cannot open it

private:
    UBreakIterator* it_ = nullptr;
};

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// ICU's "windows-31j": Shift-JIS with the Windows vendor rows (circled digits, ㈱).
Converter open_windows_31j() {
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open("windows-31j", &status));
    return U_FAILURE(status) ? nullptr : std::move(converter);
}

// Code points, in case ICU's rules cannot be loaded: a surrogate pair stays whole.
void append_code_point_starts(std::u16string_view piece, std::size_t offset, std::vector<std::uint32_t>& starts) {
    for (std::size_t i = 0; i < piece.size(); ++i) {
        starts.push_back(static_cast<std::uint32_t>(offset + i));
        if (piece[i] >= 0xD800 && piece[i] <= 0xDBFF && i + 1 < piece.size()) ++i;
    }
}

}  // namespace

void append_cluster_starts(std::u16string_view piece, std::size_t offset, std::vector<std::uint32_t>& starts) {
    static thread_local BreakIterator iterator;
    UBreakIterator* it = iterator.get();
    UErrorCode status = U_ZERO_ERROR;
    if (it != nullptr) ubrk_setText(it, piece.data(), static_cast<std::int32_t>(piece.size()), &status);
    if (it == nullptr || U_FAILURE(status)) {
        append_code_point_starts(piece, offset, starts);
        return;
    }
    for (std::int32_t at = ubrk_first(it); at != UBRK_DONE && static_cast<std::size_t>(at) < piece.size();
         at = ubrk_next(it))
        starts.push_back(static_cast<std::uint32_t>(offset + static_cast<std::size_t>(at)));
}

std::optional<std::u16string> decode_windows_31j_run(std::string_view run) {
    const Converter converter = open_windows_31j();
    if (!converter) return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    // What cannot be mapped becomes U+FFFD, not the converter's own substitute U+001A.
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_SUBSTITUTE, nullptr, nullptr, nullptr, &status);
    std::u16string decoded(run.size() * 2, u'\0');
    const int32_t length = ucnv_toUChars(converter.get(), decoded.data(), static_cast<int32_t>(decoded.size()),
                                         run.data(), static_cast<int32_t>(run.size()), &status);
    if (U_FAILURE(status)) return std::u16string(run.size(), u'\uFFFD');
    decoded.resize(static_cast<std::size_t>(length));
    return decoded;
}

std::optional<std::string> encode_windows_31j(std::u16string_view code_point) {
    const Converter converter = open_windows_31j();
    if (!converter) return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    // Stop at anything without a mapping rather than writing the converter's substitute.
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    char bytes[8];
    const int32_t length = ucnv_fromUChars(converter.get(), bytes, sizeof bytes, code_point.data(),
                                           static_cast<int32_t>(code_point.size()), &status);
    if (U_FAILURE(status) || length <= 0) return std::nullopt;
    return std::string(bytes, static_cast<std::size_t>(length));
}

}  // namespace gradation::text_backend
