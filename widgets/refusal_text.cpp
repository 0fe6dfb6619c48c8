#include "widgets/refusal_text.h"

#include "platform/interface_language.h"

#include <QCoreApplication>

#include <algorithm>
#include <cerrno>
#include <iterator>

namespace gradation::widgets {
namespace {

using C = RefusalCode;

constexpr const char* kContext = "Refusal";
// The language core words refusals in (english_pattern) and the system its messages.
constexpr char kCoreLanguage[] = "en";
constexpr const char* kAtPosition = QT_TRANSLATE_NOOP("Refusal", "位置 %1: %2");

struct WordingRow {
    RefusalCode code;
    const char* wording;
};

// In the order of the codes, which the check below holds it to.
constexpr WordingRow kWordings[] = {
    {C::NotANumber, QT_TRANSLATE_NOOP("Refusal", "数ではありません")},
    {C::NumberOutside16Bit, QT_TRANSLATE_NOOP("Refusal", "-32768 から 32767 の範囲を外れています")},
    {C::FieldsMissing, QT_TRANSLATE_NOOP("Refusal", "欄が足りません（設定の行にはコンマで区切った欄が 21 個以上要ります）")},
    {C::LineFieldsMissing, QT_TRANSLATE_NOOP("Refusal", "欄が足りません（設定の行の欄は 21 個か 22 個です）")},
    {C::LineFieldCount, QT_TRANSLATE_NOOP("Refusal", "設定の行の欄は 21 個か 22 個です（%1 個ではありません）")},
    {C::NameEmpty, QT_TRANSLATE_NOOP("Refusal", "名前が空です")},
    {C::NameControlCharacter, QT_TRANSLATE_NOOP("Refusal", "名前に制御文字が含まれています")},
    {C::FlagValue, QT_TRANSLATE_NOOP("Refusal", "フラグは ON か OFF です（「%1」ではありません）")},
    {C::DirectionValue, QT_TRANSLATE_NOOP("Refusal", "方向は H か V です（「%1」ではありません）")},
    {C::SizeModeRange, QT_TRANSLATE_NOOP("Refusal", "サイズ指定は %1 から %2 の整数です（「%3」ではありません）")},
    {C::SizeSignRange, QT_TRANSLATE_NOOP("Refusal", "サイズの符号は %1 から %2 の整数です（「%3」ではありません）")},
    {C::SizeValueRange, QT_TRANSLATE_NOOP("Refusal", "サイズの値は %1 から %2 の整数です（「%3」ではありません）")},
    {C::TableBorderRange, QT_TRANSLATE_NOOP("Refusal", "表の枠の太さは %1 から %2 の整数です（「%3」ではありません）")},
    {C::WavePatternRange, QT_TRANSLATE_NOOP("Refusal", "波の形は %1 から %2 の整数です（「%3」ではありません）")},
    {C::ColourRange, QT_TRANSLATE_NOOP("Refusal", "色の値は %1 から %2 の整数です（「%3」ではありません）")},
    {C::LastFieldRange, QT_TRANSLATE_NOOP("Refusal", "最後の欄は %1 から %2 の整数です（「%3」ではありません）")},
    {C::LineBreak, QT_TRANSLATE_NOOP("Refusal", "行に改行が含まれています")},
    {C::LineNul, QT_TRANSLATE_NOOP("Refusal", "行に NUL 文字が含まれています（読み込みはそこで行を終えます）")},
    {C::LineQuoted, QT_TRANSLATE_NOOP("Refusal", "行全体が引用符で囲まれています（読み込みで取り除かれます）")},
    {C::LineRefusedAt, QT_TRANSLATE_NOOP("Refusal", "この行は使えません: %1")},
    {C::NameBlankEnds, QT_TRANSLATE_NOOP("Refusal", "名前の先頭か末尾に空白かタブがあります")},
    {C::CharacterUnencodable, QT_TRANSLATE_NOOP("Refusal", "%1 は %2 では書けません")},
    {C::CharacterUnencodableInFile, QT_TRANSLATE_NOOP("Refusal", "%1 は %3 の設定の文字コード %2 では書けません")},
    {C::LineTooLong, QT_TRANSLATE_NOOP("Refusal", "この行は %2 で %1 バイトあります。読み込みは値を %3 バイトで切るので、%4 バイトまでしか書けません")},
    {C::LineReadsAsUtf8, QT_TRANSLATE_NOOP("Refusal", "%1 で書くとこの行のバイト列が UTF-8 としても読め、別の文字列として読み戻されます。名前を変えてください")},
    {C::LineNotReadBack, QT_TRANSLATE_NOOP("Refusal", "この行は %1 では書いたとおりに読み戻せません")},
    {C::KeyWouldDiffer,
     QT_TRANSLATE_NOOP("Refusal", "この変更の後、キー %1 が違う内容で読まれます。そのキーのほかの行がファイルの前にあるか、一覧の後に続いています。先にその行を直してください")},
    {C::EntryNotInEmptyList, QT_TRANSLATE_NOOP("Refusal", "項目 %1 は一覧にありません（一覧は空です）")},
    {C::EntryNotInList, QT_TRANSLATE_NOOP("Refusal", "項目 %1 は一覧にありません（項目は 0 から %2 までです）")},
    {C::ListFull, QT_TRANSLATE_NOOP("Refusal", "一覧にはもう %1 個の項目があります（キー 00 から 99）")},
    {C::EntryRefusedAt, QT_TRANSLATE_NOOP("Refusal", "項目 %1 は使えません: %2")},
    {C::ValueCut, QT_TRANSLATE_NOOP("Refusal", "読み込める長さ（%1 バイト）を超えています")},
    {C::ValueEndsAtNul, QT_TRANSLATE_NOOP("Refusal", "値は %1 バイト目の NUL で終わるものとして読まれ、その前までの部分は使えません: %2")},
    {C::GradientSpaceMissing,
     QT_TRANSLATE_NOOP("Refusal", "色空間がありません（srgb、linear-srgb、oklab、oklch、oklch-longer のどれか）")},
    {C::GradientSpaceUnknown, QT_TRANSLATE_NOOP("Refusal", "「%1」という色空間はありません")},
    {C::StopSyntax, QT_TRANSLATE_NOOP("Refusal", "色の点は #RRGGBB の形の色です（「%1」ではありません）")},
    {C::StopColour, QT_TRANSLATE_NOOP("Refusal", "「%1」は #RRGGBB の形の色ではありません")},
    {C::StopPositionRange, QT_TRANSLATE_NOOP("Refusal", "「%1」の位置が 0 から 100 の整数のパーセントではありません")},
    {C::StopPositionMissing, QT_TRANSLATE_NOOP("Refusal", "「%1」に位置がありません（@0 から @100）")},
    {C::StopCount, QT_TRANSLATE_NOOP("Refusal", "グラデーションの色の点は 2 個から 16 個です（%1 個ではありません）")},
    {C::FirstStopPosition, QT_TRANSLATE_NOOP("Refusal", "最初の点の位置は 0 です")},
    {C::LastStopPosition, QT_TRANSLATE_NOOP("Refusal", "最後の点の位置は 100 です")},
    {C::StopOrder, QT_TRANSLATE_NOOP("Refusal", "点の位置は前の点より小さくできません")},
    {C::GradientColourRange, QT_TRANSLATE_NOOP("Refusal", "グラデーションの色はどれも 0 から 255 の範囲にしてください")},
    {C::Utf16File,
     QT_TRANSLATE_NOOP("Refusal", "UTF-16（Windows のメモ帳の「Unicode」）で保存されています。UTF-8 か Shift-JIS で保存し直してください")},
    {C::NoFileToWrite, QT_TRANSLATE_NOOP("Refusal", "自分の設定ファイルを置く場所がありません: XDG_CONFIG_HOME も HOME も絶対パスのフォルダーを指していません")},
    {C::NoSuchFile, QT_TRANSLATE_NOOP("Refusal", "ファイルがありません: %1")},
    {C::IsDirectory, QT_TRANSLATE_NOOP("Refusal", "%1 はフォルダです。設定ファイルではありません")},
    {C::NotRegularFile, QT_TRANSLATE_NOOP("Refusal", "%1 は普通のファイルではありません")},
    {C::FileUnreadable, QT_TRANSLATE_NOOP("Refusal", "%1 を読めません")},
    {C::FileUnreadableBecause, QT_TRANSLATE_NOOP("Refusal", "%1 を読めません: %2")},
    {C::FileContentRefused, QT_TRANSLATE_NOOP("Refusal", "%1 を読めません: %2")},
    {C::ChangedOnDisk, QT_TRANSLATE_NOOP("Refusal", "%1 は読み込んだ後にほかで変更されました。保存する前に読み直してください")},
    {C::ReadOnly, QT_TRANSLATE_NOOP("Refusal", "%1 に書き込めません: 読み取り専用です")},
    {C::HardLinks,
     QT_TRANSLATE_NOOP("Refusal", "%1 にはハードリンクが %2 個あります。書き込むとこの名前だけが新しいファイルになり、ほかの名前には古い内容が残るので、書き込みません")},
    {C::LinkUnfollowed, QT_TRANSLATE_NOOP("Refusal", "リンク %1 をたどれません: %2")},
    {C::LinkFolderMissing, QT_TRANSLATE_NOOP("Refusal", "リンク %1 の指す %2 のフォルダがありません")},
    {C::FolderNotCreated, QT_TRANSLATE_NOOP("Refusal", "フォルダ %1 を作れません: %2")},
    {C::LockFileUnopened, QT_TRANSLATE_NOOP("Refusal", "ロックファイル %1 を開けません: %2")},
    {C::LockFolderUnwritable, QT_TRANSLATE_NOOP("Refusal", "%1 に書き込めません: フォルダー %2 にファイルを作る権限がありません（%3）")},
    {C::LockFileIsLink, QT_TRANSLATE_NOOP("Refusal", "ロックファイル %1 がシンボリックリンクです。編集はこれをたどりません。削除して（中身はありません）やり直してください")},
    {C::BeingEdited, QT_TRANSLATE_NOOP("Refusal", "%1 はほかのプログラムが編集中です（ロック %2 が %3 秒のうちに空きませんでした）")},
    {C::LockFailed, QT_TRANSLATE_NOOP("Refusal", "%1 をロックできません: %2")},
    {C::TemporaryNotCreated, QT_TRANSLATE_NOOP("Refusal", "%1 にファイルを作れません: %2")},
    {C::WriteFailed, QT_TRANSLATE_NOOP("Refusal", "%1 に書き込めません: %2")},
    {C::IdentityNotKept, QT_TRANSLATE_NOOP("Refusal", "新しいファイルに %1 の所有者、グループ、許可を付けられません: %2")},
    {C::SyncFailed, QT_TRANSLATE_NOOP("Refusal", "%1 をディスクに書き出せません: %2")},
    {C::ReplaceFailed, QT_TRANSLATE_NOOP("Refusal", "%1 を置き換えられません: %2")},
    {C::SettingLineNotUtf8, QT_TRANSLATE_NOOP("Refusal", "設定の行が正しい UTF-8 ではありません")},
    {C::SettingNotInEmptyList, QT_TRANSLATE_NOOP("Refusal", "設定 %1 は %2 の一覧にありません（設定がひとつもありません）")},
    {C::SettingNotInList, QT_TRANSLATE_NOOP("Refusal", "設定 %1 は %2 の一覧にありません（設定は 0 から %3 までです）")},
    {C::SettingCut, QT_TRANSLATE_NOOP("Refusal", "%3 の設定 %1（キー %2）は使えません: 読み込める長さ（%4 バイト）を超えています")},
    {C::GivenLineRefusedAt, QT_TRANSLATE_NOOP("Refusal", "設定の行は使えません: %1")},
    {C::SettingRefusedAt, QT_TRANSLATE_NOOP("Refusal", "%3 の設定 %1（キー %2）は使えません: %4")},
    {C::SettingGradientRefused, QT_TRANSLATE_NOOP("Refusal", "%3 の設定 %1（キー %2）: %4")},
    {C::GradientEntryRefusedAt, QT_TRANSLATE_NOOP("Refusal", "[Gradient] の行は使えません: %1")},
    {C::OptionNeedsFile, QT_TRANSLATE_NOOP("Refusal", "%1 にはファイルの指定が要ります")},
    {C::OptionRepeated, QT_TRANSLATE_NOOP("Refusal", "%1 が 2 回指定されています")},
    {C::UnknownArgument, QT_TRANSLATE_NOOP("Refusal", "知らない引数です: %1")},
    {C::UnknownOption, QT_TRANSLATE_NOOP("Refusal", "知らないオプションです: %1")},
    {C::OptionNeedsValue, QT_TRANSLATE_NOOP("Refusal", "%1 には値の指定が要ります")},
    {C::OptionTakesNoValue, QT_TRANSLATE_NOOP("Refusal", "%1 は値を取りません")},
    {C::OptionsExclude, QT_TRANSLATE_NOOP("Refusal", "%1 と %2 は一緒に指定できません")},
    {C::LineExcludesSetting, QT_TRANSLATE_NOOP("Refusal", "--line は --setting とも --ini とも一緒に指定できません")},
    {C::TextExcludesInputFile, QT_TRANSLATE_NOOP("Refusal", "--text と入力ファイルは一緒に指定できません")},
    {C::InputFileRepeated, QT_TRANSLATE_NOOP("Refusal", "入力ファイルはひとつしか指定できません")},
    {C::SettingNumberValue, QT_TRANSLATE_NOOP("Refusal", "--setting は 0 から 99 の数です（「%1」ではありません）")},
    {C::EntryNumberValue, QT_TRANSLATE_NOOP("Refusal", "%1 は 0 から 99 の項目の番号です（「%2」ではありません）")},
    {C::EditRepeated, QT_TRANSLATE_NOOP("Refusal", "--add、--replace、--remove はどれかひとつしか指定できません")},
    {C::EditNeedsEntryAndLine, QT_TRANSLATE_NOOP("Refusal", "%1 には項目の番号と行の指定が要ります")},
    {C::UnknownFormat, QT_TRANSLATE_NOOP("Refusal", "%1 という形式はありません（--formats で一覧が出ます）")},
    {C::FitValue, QT_TRANSLATE_NOOP("Refusal", "--fit は UTF-16 の単位数（N）か UTF-8 のバイト数（Nb）です（%1 ではありません）")},
    {C::StopsRefusedAt, QT_TRANSLATE_NOOP("Refusal", "--stops は使えません: %1")},
    {C::SpaceValue, QT_TRANSLATE_NOOP("Refusal", "--space は %1 のどれかです（「%2」ではありません）")},
    {C::OptionTakesOnlyIni, QT_TRANSLATE_NOOP("Refusal", "%1 と一緒に指定できるのは --ini だけです（%2 は指定できません）")},
    {C::EditTakesOnlyIniAndGradient, QT_TRANSLATE_NOOP("Refusal", "%1 と一緒に指定できるのは --ini、--stops、--space だけです（%2 は指定できません）")},
    {C::DuplicateKey, QT_TRANSLATE_NOOP("Refusal", "キーが重なっています: 前の行にキー %1 があります")},
    {C::EndsList, QT_TRANSLATE_NOOP("Refusal", "コンマがありません: この行で一覧が終わります")},
    {C::AfterListEnd, QT_TRANSLATE_NOOP("Refusal", "一覧の終わりより後にあります（キー %1 にコンマがありません）")},
    {C::AfterKeyGap, QT_TRANSLATE_NOOP("Refusal", "キーの抜けより後にあります（キー %1 がありません）")},
};

static_assert(one_row_per_code(kWordings), "one window wording per refusal code, in the codes' order");

struct SystemErrorRow {
    int error;
    const char* wording;
};

// The system's messages a settings file's reading, locking and writing meet; any other
// keeps the system's own (English) words.
constexpr SystemErrorRow kSystemErrors[] = {
    {ENOENT, QT_TRANSLATE_NOOP("SystemError", "ファイルやフォルダがありません")},
    {EACCES, QT_TRANSLATE_NOOP("SystemError", "アクセスが許可されていません")},
    {EPERM, QT_TRANSLATE_NOOP("SystemError", "その操作は許可されていません")},
    {EROFS, QT_TRANSLATE_NOOP("SystemError", "読み出し専用のファイルシステムです")},
    {ENOSPC, QT_TRANSLATE_NOOP("SystemError", "ディスクに空きがありません")},
    {EDQUOT, QT_TRANSLATE_NOOP("SystemError", "ディスクの割り当てを超えています")},
    {EIO, QT_TRANSLATE_NOOP("SystemError", "入出力のエラーです")},
    {EISDIR, QT_TRANSLATE_NOOP("SystemError", "フォルダです")},
    {ENOTDIR, QT_TRANSLATE_NOOP("SystemError", "フォルダではありません")},
    {ELOOP, QT_TRANSLATE_NOOP("SystemError", "シンボリックリンクをたどる回数が多すぎます")},
    {ENAMETOOLONG, QT_TRANSLATE_NOOP("SystemError", "ファイル名が長すぎます")},
    {EBUSY, QT_TRANSLATE_NOOP("SystemError", "使用中です")},
    {EEXIST, QT_TRANSLATE_NOOP("SystemError", "ファイルが既にあります")},
    {EXDEV, QT_TRANSLATE_NOOP("SystemError", "別のファイルシステムにはまたがれません")},
    {EMFILE, QT_TRANSLATE_NOOP("SystemError", "開いているファイルが多すぎます")},
    {EINVAL, QT_TRANSLATE_NOOP("SystemError", "引数が正しくありません")},
};

// `wording` in the window's language. The windows that speak core's language take core's
// words (`english`) as they are, so their translation holds an entry only where it says
// a thing otherwise (tools/update_translations keeps no other).
QString worded(const char* context, const char* wording, std::string_view english) {
    const QString translated = QCoreApplication::translate(context, wording);
    const bool untranslated = translated == QString::fromUtf8(wording);
    if (untranslated && platform::interface_language() == QLatin1String(kCoreLanguage))
        return QString::fromUtf8(english.data(), static_cast<qsizetype>(english.size()));
    return translated;
}

// The system's message for `error` in the window's language, or `message` as it is.
std::string system_error_text(int error, const std::string& message) {
    const auto row = std::ranges::find(kSystemErrors, error, &SystemErrorRow::error);
    if (row == std::end(kSystemErrors)) return message;
    return worded("SystemError", row->wording, message).toStdString();
}

}  // namespace

const char* refusal_wording(RefusalCode code) {
    const auto i = static_cast<std::size_t>(code);
    return i < std::size(kWordings) ? kWordings[i].wording : "";
}

QString refusal_text(const Refusal& refusal) {
    std::vector<std::string> arguments = refusal.details;
    if (refusal.system_error != 0 && !arguments.empty())
        arguments.back() = system_error_text(refusal.system_error, arguments.back());
    if (refusal.cause) arguments.push_back(refusal_text(*refusal.cause).toStdString());
    const QString sentence = worded(kContext, refusal_wording(refusal.code), english_pattern(refusal.code));
    const QString reason = QString::fromStdString(fill_pattern(sentence.toStdString(), arguments));
    if (!refusal.position) return reason;
    return worded(kContext, kAtPosition, kEnglishAtPosition).arg(QString::number(*refusal.position), reason);
}

}  // namespace gradation::widgets
