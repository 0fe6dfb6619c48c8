// The one way every layer says "refused": a code naming what was refused, the values it
// names (a file, a field's text, a range, a system message), where there is one the
// position (a setting line's field or a gradient's item) and, when it wraps another
// refusal, that cause. The CLI prints text(), core's English; the windows word the code
// and its details in their own language.
#pragma once

#if __has_include(<expected>)
#include <expected>
#endif
#include <cstddef>
#include <memory>
#include <system_error>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>
#ifndef __cpp_lib_expected
#include "core/base/expected_fallback.h"
#endif

namespace gradation {

// What was refused. Each code's wording takes its details as %1, %2, ... and, when the
// refusal has a cause, the cause's own wording as the number after the last detail.
enum class RefusalCode {
    // A setting line as the reader takes it.
    NotANumber,
    NumberOutside16Bit,
    FieldsMissing,
    // A setting line checked strictly before it is written.
    LineFieldsMissing,
    LineFieldCount,
    NameEmpty,
    NameControlCharacter,
    FlagValue,
    DirectionValue,
    SizeModeRange,
    SizeSignRange,
    SizeValueRange,
    TableBorderRange,
    WavePatternRange,
    ColourRange,
    LastFieldRange,
    // A line the settings store would write, and the entries it edits.
    LineBreak,
    LineNul,
    LineQuoted,
    LineRefusedAt,
    NameBlankEnds,
    CharacterUnencodable,
    CharacterUnencodableInFile,
    LineTooLong,
    LineReadsAsUtf8,
    LineNotReadBack,
    KeyWouldDiffer,
    EntryNotInEmptyList,
    EntryNotInList,
    ListFull,
    EntryRefusedAt,
    ValueCut,
    ValueEndsAtNul,
    // Gradients: a [Gradient] entry, a stop list, the editor's stops.
    GradientSpaceMissing,
    GradientSpaceUnknown,
    StopSyntax,
    StopColour,
    StopPositionRange,
    StopPositionMissing,
    StopCount,
    FirstStopPosition,
    LastStopPosition,
    StopOrder,
    GradientColourRange,
    // The configuration file: reading, locking, writing.
    Utf16File,
    NoFileToWrite,
    NoSuchFile,
    IsDirectory,
    NotRegularFile,
    FileUnreadable,
    FileUnreadableBecause,
    FileContentRefused,
    ChangedOnDisk,
    ReadOnly,
    HardLinks,
    LinkUnfollowed,
    LinkFolderMissing,
    FolderNotCreated,
    LockFileUnopened,
    LockFolderUnwritable,
    LockFileIsLink,
    BeingEdited,
    LockFailed,
    TemporaryNotCreated,
    WriteFailed,
    IdentityNotKept,
    SyncFailed,
    ReplaceFailed,
    // The setting a conversion uses.
    SettingLineNotUtf8,
    SettingNotInEmptyList,
    SettingNotInList,
    SettingCut,
    GivenLineRefusedAt,
    SettingRefusedAt,
    SettingGradientRefused,
    GradientEntryRefusedAt,
    // A program's command line.
    OptionNeedsFile,
    OptionRepeated,
    UnknownArgument,
    // gradation-cli's options.
    UnknownOption,
    OptionNeedsValue,
    OptionTakesNoValue,
    OptionsExclude,
    LineExcludesSetting,
    TextExcludesInputFile,
    InputFileRepeated,
    SettingNumberValue,
    EntryNumberValue,
    EditRepeated,
    EditNeedsEntryAndLine,
    UnknownFormat,
    FitValue,
    StopsRefusedAt,
    SpaceValue,
    OptionTakesOnlyIni,
    EditTakesOnlyIniAndGradient,
    // Why an entry line of the list section is not listed.
    DuplicateKey,
    EndsList,
    AfterListEnd,
    AfterKeyGap,
    Count  // not a code: how many there are
};

inline constexpr int kRefusalCodeCount = static_cast<int>(RefusalCode::Count);

struct Refusal {
    RefusalCode code{};
    std::vector<std::string> details;
    std::optional<int> position;
    std::shared_ptr<const Refusal> cause;  // the refusal this one wraps, if any
    int system_error = 0;  // the errno value the last detail words, 0 when none

    // The English reason, without the position: the code's pattern filled in.
    std::string reason() const;
    // "position N: reason", or the reason alone when there is no position.
    std::string text() const;
    // This refusal, said of position `where`.
    Refusal at(int where) const;
    friend bool operator==(const Refusal& a, const Refusal& b);
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

inline Refusal make_refusal(RefusalCode code, std::vector<std::string> details = {},
                           std::optional<int> position = std::nullopt) {
    return Refusal{code, std::move(details), position, nullptr};
}

inline Refused refuse(RefusalCode code, std::vector<std::string> details = {},
                      std::optional<int> position = std::nullopt) {
    return Refused(make_refusal(code, std::move(details), position));
}

// A refusal that wraps `cause`, which keeps its own code, details and position.
inline Refused refuse_because(RefusalCode code, std::vector<std::string> details, Refusal cause) {
    return Refused(Refusal{code, std::move(details), std::nullopt, std::make_shared<const Refusal>(std::move(cause))});
}

// A refusal for a failed system call: `details` and then the system's message for
// `error`, which the windows word in their own language.
Refused refuse_system(RefusalCode code, std::vector<std::string> details, std::error_code error);
Refused refuse_system(RefusalCode code, std::vector<std::string> details, int errno_value);

// True when `rows` (each with a `code`) hold one row per code, in the codes' order: what
// the tables that word refusals are held to.
template <class Row, std::size_t N>
constexpr bool one_row_per_code(const Row (&rows)[N]) {
    int i = 0;
    for (const Row& row : rows)
        if (static_cast<int>(row.code) != i++) return false;
    return i == kRefusalCodeCount;
}

// The English pattern of `code`, with %1, %2, ... where its details (and cause) go.
std::string_view english_pattern(RefusalCode code);

// The English pattern of a refusal said of a position: %1 the position, %2 the reason.
inline constexpr std::string_view kEnglishAtPosition = "position %1: %2";

// `pattern` with each %1 ... %9 replaced by that argument, in one pass, so that an
// argument holding "%2" stays as it is. A number without an argument stays too.
std::string fill_pattern(std::string_view pattern, const std::vector<std::string>& arguments);

}  // namespace gradation
