// Refusals in English: one pattern per code, as the CLI prints them.
#include "core/base/refusal.h"

#include <array>

namespace gradation {
namespace {

using C = RefusalCode;

struct EnglishRow {
    RefusalCode code;
    std::string_view pattern;
};

// In the order of the codes, which the check below holds it to.
constexpr EnglishRow kEnglish[] = {
    {C::NotANumber, "not a number"},
    {C::NumberOutside16Bit, "outside -32768..32767"},
    {C::FieldsMissing, "missing (a setting line has at least 21 comma-separated fields)"},
    {C::LineFieldsMissing, "missing (a setting line has 21 or 22 fields)"},
    {C::LineFieldCount, "a setting line has 21 or 22 fields, not %1"},
    {C::NameEmpty, "the name is empty"},
    {C::NameControlCharacter, "the name holds a control character"},
    {C::FlagValue, "a flag is ON or OFF, not \"%1\""},
    {C::DirectionValue, "the direction is H or V, not \"%1\""},
    {C::SizeModeRange, "the size mode is a whole number from %1 to %2, not \"%3\""},
    {C::SizeSignRange, "the size sign is a whole number from %1 to %2, not \"%3\""},
    {C::SizeValueRange, "the size value is a whole number from %1 to %2, not \"%3\""},
    {C::TableBorderRange, "the table border is a whole number from %1 to %2, not \"%3\""},
    {C::WavePatternRange, "the wave pattern is a whole number from %1 to %2, not \"%3\""},
    {C::ColourRange, "a colour value is a whole number from %1 to %2, not \"%3\""},
    {C::LastFieldRange, "the last field is a whole number from %1 to %2, not \"%3\""},
    {C::LineBreak, "the line holds a line break"},
    {C::LineNul, "the line holds a NUL character, where the reader would end it"},
    {C::LineQuoted, "the line is wrapped in quotes, which the reader would strip"},
    {C::LineRefusedAt, "the line is refused at %1"},
    {C::NameBlankEnds, "the name begins or ends with a blank or tab"},
    {C::CharacterUnencodable, "%1 cannot be written in %2"},
    {C::CharacterUnencodableInFile, "%1 cannot be written in %2, the encoding of %3's entries"},
    {C::LineTooLong, "the line is %1 bytes in %2; the reader cuts a value at %3 bytes, so at most %4 fit"},
    {C::LineReadsAsUtf8, "in %1 the line's bytes also form UTF-8 and would read back as other text; change the name"},
    {C::LineNotReadBack, "the line would not read back as written in %1"},
    {C::KeyWouldDiffer, "after this change key %1 would read differently: another line of the file with that key "
                        "comes first or follows the list; fix that line first"},
    {C::EntryNotInEmptyList, "entry %1 is not in the list (it is empty)"},
    {C::EntryNotInList, "entry %1 is not in the list (it has entries 0 to %2)"},
    {C::ListFull, "the list already has %1 entries, keys 00 to 99"},
    {C::EntryRefusedAt, "entry %1 is refused at %2"},
    {C::ValueCut, "it reaches %1 bytes, where the reader cuts a value, so it cannot be read whole"},
    {C::ValueEndsAtNul, "a NUL byte at byte %1 of the value ends it for the reader, and what comes before is "
                        "refused at %2"},
    {C::GradientSpaceMissing, "missing (the space: srgb, linear-srgb, oklab, oklch or oklch-longer)"},
    {C::GradientSpaceUnknown, "unknown space '%1'"},
    {C::StopSyntax, "a stop is a colour #RRGGBB, not '%1'"},
    {C::StopColour, "'%1' is not a colour #RRGGBB"},
    {C::StopPositionRange, "the position of '%1' is not a whole percent from 0 to 100"},
    {C::StopPositionMissing, "'%1' has no position (@0 to @100)"},
    {C::StopCount, "a gradient has 2 to 16 stops, not %1"},
    {C::FirstStopPosition, "the first stop is at 0"},
    {C::LastStopPosition, "the last stop is at 100"},
    {C::StopOrder, "positions do not decrease"},
    {C::GradientColourRange, "a gradient's colours must each lie in 0..255"},
    {C::Utf16File, "it is UTF-16 (Windows Notepad's \"Unicode\"); save it as UTF-8 or Shift-JIS"},
    {C::NoFileToWrite, "there is no file of your own to write: neither XDG_CONFIG_HOME nor HOME is set to an "
                       "absolute folder"},
    {C::NoSuchFile, "no such file: %1"},
    {C::IsDirectory, "%1 is a directory, not a configuration file"},
    {C::NotRegularFile, "%1 is not a regular file"},
    {C::FileUnreadable, "cannot read %1"},
    {C::FileUnreadableBecause, "cannot read %1: %2"},
    {C::FileContentRefused, "cannot read %1: %2"},
    {C::ChangedOnDisk, "%1 changed on disk since it was read; reload it before saving"},
    {C::ReadOnly, "cannot write %1: it is read-only"},
    {C::HardLinks, "%1 has %2 hard links; writing it would give this name a new file and leave the other names "
                   "with the old content, so it is not written"},
    {C::LinkUnfollowed, "cannot follow the link %1: %2"},
    {C::LinkFolderMissing, "the link %1 leads to %2, whose folder does not exist"},
    {C::FolderNotCreated, "cannot create the folder %1: %2"},
    {C::LockFileUnopened, "cannot open the lock file %1: %2"},
    {C::LockFolderUnwritable, "cannot write %1: you may not create files in its folder %2 (%3)"},
    {C::LockFileIsLink, "the lock file %1 is a symbolic link, which edits do not follow; remove it (a lock file "
                        "holds nothing) and try again"},
    {C::BeingEdited, "%1 is being edited by another program (its lock %2 was not free within %3 s)"},
    {C::LockFailed, "cannot lock %1: %2"},
    {C::TemporaryNotCreated, "cannot create a file in %1: %2"},
    {C::WriteFailed, "cannot write %1: %2"},
    {C::IdentityNotKept, "cannot give the new file the owner, group and mode of %1: %2"},
    {C::SyncFailed, "cannot sync %1: %2"},
    {C::ReplaceFailed, "cannot replace %1: %2"},
    {C::SettingLineNotUtf8, "the setting line is not valid UTF-8"},
    {C::SettingNotInEmptyList, "setting %1 is not in the list of %2 (it lists no settings)"},
    {C::SettingNotInList, "setting %1 is not in the list of %2 (it lists settings 0 to %3)"},
    {C::SettingCut, "setting %1 (key %2) of %3 is refused: it is longer than the %4 bytes the reader takes"},
    {C::GivenLineRefusedAt, "setting line refused at %1"},
    {C::SettingRefusedAt, "setting %1 (key %2) of %3 refused at %4"},
    {C::SettingGradientRefused, "setting %1 (key %2) of %3: %4"},
    {C::GradientEntryRefusedAt, "its Gradient entry is refused: %1"},
    {C::OptionNeedsFile, "%1 needs a file"},
    {C::OptionRepeated, "%1 given twice"},
    {C::UnknownArgument, "unknown argument: %1"},
    {C::UnknownOption, "unknown option %1"},
    {C::OptionNeedsValue, "%1 needs a value"},
    {C::OptionTakesNoValue, "%1 takes no value"},
    {C::OptionsExclude, "%1 and %2 exclude each other"},
    {C::LineExcludesSetting, "--line excludes --setting and --ini"},
    {C::TextExcludesInputFile, "--text and an input file exclude each other"},
    {C::InputFileRepeated, "only one input file can be given"},
    {C::SettingNumberValue, "--setting takes a number from 0 to 99, not '%1'"},
    {C::EntryNumberValue, "%1 takes an entry number from 0 to 99, not '%2'"},
    {C::EditRepeated, "only one of --add, --replace and --remove can be given"},
    {C::EditNeedsEntryAndLine, "%1 needs an entry number and a line"},
    {C::UnknownFormat, "unknown format %1 (--formats lists them)"},
    {C::FitValue, "--fit takes a length in UTF-16 units (N) or UTF-8 bytes (Nb), not %1"},
    {C::StopsRefusedAt, "--stops refused at %1"},
    {C::SpaceValue, "--space takes %1, not '%2'"},
    {C::OptionTakesOnlyIni, "%1 takes only --ini, not %2"},
    {C::EditTakesOnlyIniAndGradient, "%1 takes only --ini, --stops and --space, not %2"},
    {C::DuplicateKey, "duplicate key: an earlier line has key %1"},
    {C::EndsList, "no comma: this line ends the list"},
    {C::AfterListEnd, "after the end of the list (key %1 has no comma)"},
    {C::AfterKeyGap, "after a gap in the keys (no key %1)"},
};

static_assert(one_row_per_code(kEnglish), "one English row per refusal code, in the codes' order");

}  // namespace

std::string_view english_pattern(RefusalCode code) {
    const auto i = static_cast<std::size_t>(code);
    return i < std::size(kEnglish) ? kEnglish[i].pattern : std::string_view();
}

std::string fill_pattern(std::string_view pattern, const std::vector<std::string>& arguments) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const bool placeholder = pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' &&
                                 pattern[i + 1] <= '9';
        const auto n = placeholder ? static_cast<std::size_t>(pattern[i + 1] - '1') : arguments.size();
        if (n < arguments.size()) {
            out += arguments[n];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

std::string Refusal::reason() const {
    std::vector<std::string> arguments = details;
    if (cause) arguments.push_back(cause->text());
    return fill_pattern(english_pattern(code), arguments);
}

std::string Refusal::text() const {
    return position ? fill_pattern(kEnglishAtPosition, {std::to_string(*position), reason()}) : reason();
}

Refusal Refusal::at(int where) const {
    Refusal moved = *this;
    moved.position = where;
    return moved;
}

bool operator==(const Refusal& a, const Refusal& b) {
    const bool same_cause = a.cause && b.cause ? *a.cause == *b.cause : a.cause == b.cause;
    return a.code == b.code && a.details == b.details && a.position == b.position && same_cause &&
           a.system_error == b.system_error;
}

Refused refuse_system(RefusalCode code, std::vector<std::string> details, std::error_code error) {
    details.push_back(error.message());
    Refusal refusal = make_refusal(code, std::move(details));
    const auto& category = error.category();
    if (category == std::generic_category() || category == std::system_category()) refusal.system_error = error.value();
    return Refused(std::move(refusal));
}

Refused refuse_system(RefusalCode code, std::vector<std::string> details, int errno_value) {
    return refuse_system(code, std::move(details), std::error_code(errno_value, std::generic_category()));
}

}  // namespace gradation
