#include "widgets/markup_note.h"

#include "core/markup/gradient_markup.h"

#include <QCoreApplication>

namespace gradation::widgets {
namespace {

// "251 / 256 (まとめ, 空白は色なし, 3 文字ごとに 1 色)".
QString fit_line(const FitResult& fit) {
    const QString unit = fit.limit.unit == LengthUnit::Utf8Bytes ? QCoreApplication::translate("MarkupNote", " バイト") : QString();
    if (fit.outcome == FitResult::Outcome::TooLong)
        return QCoreApplication::translate("MarkupNote", "上限 %1%2 に収まりません: 最短でも %3%2").arg(fit.limit.length).arg(unit).arg(fit.length);
    QStringList what;
    if (fit.used.merge) what << QCoreApplication::translate("MarkupNote", "まとめ");
    if (fit.used.plain_blanks) what << QCoreApplication::translate("MarkupNote", "空白は色なし");
    if (fit.used.characters_per_colour > 1)
        what << QCoreApplication::translate("MarkupNote", "%1 文字ごとに 1 色").arg(fit.used.characters_per_colour);
    const QString how = what.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(what.join(QStringLiteral(", ")));
    return QCoreApplication::translate("MarkupNote", "長さ %1 / %2%3%4").arg(fit.length).arg(fit.limit.length).arg(unit, how);
}

// What the user is told about a text's characters that a dialect cannot write as they are.
QString text_note(const NoteCount& n) {
    switch (n.note) {
    case TextNote::SectionSign:
        return QCoreApplication::translate("MarkupNote", "注意: 文字列の § (%1 個) はゲームのコード記号で、この形式ではエスケープできません").arg(n.count);
    case TextNote::Ampersand:
        return QCoreApplication::translate("MarkupNote", "注意: 文字列の & (%1 個) はプラグインのコード記号で、この形式ではエスケープできません").arg(n.count);
    case TextNote::Controls:
        return QCoreApplication::translate("MarkupNote", "注意: 文字列の制御文字 (%1 個) は記号で書きます (ESC は ␛)").arg(n.count);
    }
    return QString();
}

}  // namespace

QString dialect_purpose(Dialect dialect) {
    return QCoreApplication::translate("MarkupNote", dialect_info(dialect).purpose_ja);
}

QString unit_name(LengthUnit unit) {
    return unit == LengthUnit::Utf8Bytes ? QCoreApplication::translate("MarkupNote", "UTF-8 バイト") : QCoreApplication::translate("MarkupNote", "UTF-16 単位");
}

ChosenMarkup chosen_markup(std::u16string_view text, const SettingRecord& setting, const platform::MarkupChoice& choice,
                           FunctionRef<bool()> separate_tags, FunctionRef<bool()> cancel) {
    ChosenMarkup result;
    const MarkupOptions options = default_options(choice.dialect);
    StringSink sink;
    if (choice.limit) {
        const FitResult fit = write_fitted_markup(text, setting, options, *choice.limit, separate_tags, cancel, sink);
        if (fit.outcome == FitResult::Outcome::Cancelled) return result;
        result.too_long = fit.outcome == FitResult::Outcome::TooLong;
        result.length_line = fit_line(fit);
    } else {
        if (!write_gradient_markup(text, setting, separate_tags, cancel, sink, options)) return result;
        result.length_line = QCoreApplication::translate("MarkupNote", "長さ %1").arg(sink.markup.size());
    }
    QStringList left_out;
    for (const Feature f : features_left_out(choice.dialect, setting, separate_tags()))
        left_out << QCoreApplication::translate("MarkupNote", feature_info(f).name_ja);
    if (!left_out.isEmpty()) result.warnings << QCoreApplication::translate("MarkupNote", "この形式では省きます: ") + left_out.join(QStringLiteral(", "));
    for (const NoteCount& n : text_notes(choice.dialect, text)) result.warnings << text_note(n);
    if (!result.too_long) result.markup = std::move(sink.markup);
    return result;
}

QString conversion_note(Dialect dialect, const ChosenMarkup& chosen) {
    const QString first = QString::fromUtf8(dialect_info(dialect).name) + QStringLiteral(": ") + chosen.length_line;
    return (QStringList{first} + chosen.warnings).join(QLatin1Char('\n'));
}

}  // namespace gradation::widgets
