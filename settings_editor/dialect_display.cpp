#include "settings_editor/dialect_display.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <map>

namespace gradation::settings_editor {
namespace {

// The text's look at one point of the markup.
struct Look {
    QString colour = QStringLiteral("#ffffff");
    bool bold = false, italic = false, underline = false;
};

QString span(const Look& look, const QString& text) {
    QString style = QStringLiteral("color:") + look.colour;
    if (look.bold) style += QStringLiteral(";font-weight:bold");
    if (look.italic) style += QStringLiteral(";font-style:italic");
    if (look.underline) style += QStringLiteral(";text-decoration:underline");
    QString shown = text.toHtmlEscaped();
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("<br>")).replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    return QStringLiteral("<span style=\"%1\">%2</span>").arg(style, shown);
}

QString on_dark(const QString& body) {
    return QStringLiteral("<body bgcolor=\"#1e1e1e\" style=\"white-space:pre-wrap\">") + body +
           QStringLiteral("</body>");
}

QString hex_colour(std::uint32_t rgb) { return QStringLiteral("#%1").arg(rgb, 6, 16, QLatin1Char('0')); }

// A palette's entry, or the colour as it was for an index the palette lacks.
QString palette_colour(std::span<const std::uint32_t> palette, int n, const QString& otherwise) {
    return n >= 0 && n < static_cast<int>(palette.size()) ? hex_colour(palette[static_cast<std::size_t>(n)]) : otherwise;
}

void apply_sgr(Look& look, const QString& parameters, std::span<const std::uint32_t> palette) {
    const QStringList p = parameters.split(QLatin1Char(';'));
    for (qsizetype i = 0; i < p.size(); ++i) {
        const int code = p[i].toInt();
        if (code == 0) look = Look{};
        if (code == 1) look.bold = true;
        if (code == 3) look.italic = true;
        if (code == 4) look.underline = true;
        if (code >= 30 && code <= 37) look.colour = palette_colour(palette, code - 30, look.colour);
        if (code == 38 && i + 4 < p.size() && p[i + 1] == QLatin1String("2")) {
            look.colour = hex_colour(p[i + 2].toUInt() << 16 | p[i + 3].toUInt() << 8 | p[i + 4].toUInt());
            i += 4;
        } else if (code == 38 && i + 2 < p.size() && p[i + 1] == QLatin1String("5")) {
            look.colour = palette_colour(palette, p[i + 2].toInt(), look.colour);
            i += 2;
        }
    }
}

// What one of the row's codes does to the look, or to the text for an escape.
void apply_code(const DialectInfo& row, CodeEffect effect, const QString& group, Look& look, QString& text) {
    using E = CodeEffect;
    switch (effect) {
    case E::ColourResettingFormats: look = Look{}; [[fallthrough]];
    case E::Colour: look.colour = QLatin1Char('#') + QString(group).remove(QStringLiteral("§")).toLower(); break;
    case E::Palette: look.colour = palette_colour(row.palette, group.toInt(), look.colour); break;
    case E::Sgr: apply_sgr(look, group, row.palette); break;
    case E::Bold: case E::EndBold: look.bold = effect == E::Bold; break;
    case E::Italic: case E::EndItalic: look.italic = effect == E::Italic; break;
    case E::Underline: case E::EndUnderline: look.underline = effect == E::Underline; break;
    case E::ToggleBold: look.bold = !look.bold; break;
    case E::ToggleItalic: look.italic = !look.italic; break;
    case E::ToggleUnderline: look.underline = !look.underline; break;
    case E::Reset: look = Look{}; break;
    case E::Text: text += group; break;
    case E::Drop: break;
    }
}

// One of the row's codes where the markup stands, applied: how many units it took, 0
// when none starts there.
qsizetype read_code(const DialectInfo& row, const QString& m, qsizetype at, Look& look, QString& text) {
    static std::map<const char*, QRegularExpression> compiled;
    for (const MarkupCode& code : row.codes) {
        auto [it, added] = compiled.try_emplace(code.pattern);
        if (added) it->second = QRegularExpression(QString::fromUtf8(code.pattern));
        const QRegularExpressionMatch match = it->second.match(m, at, QRegularExpression::NormalMatch,
                                                               QRegularExpression::AnchorAtOffsetMatchOption);
        if (!match.hasMatch()) continue;
        apply_code(row, code.effect, match.captured(1), look, text);
        return match.capturedLength();
    }
    return 0;
}

QString coded_text(const DialectInfo& row, const QString& markup) {
    QString body, run;
    Look look, run_look;
    for (qsizetype at = 0; at < markup.size();) {
        QString escaped;
        Look next = look;
        const qsizetype taken = read_code(row, markup, at, next, escaped);
        if (taken > 0 && escaped.isEmpty()) {
            look = next;
            at += taken;
            continue;
        }
        if (!run.isEmpty() && !(run_look.colour == look.colour && run_look.bold == look.bold &&
                                run_look.italic == look.italic && run_look.underline == look.underline)) {
            body += span(run_look, run);
            run.clear();
        }
        run_look = look;
        run += taken > 0 ? escaped : QString(markup.at(at));
        at += taken > 0 ? taken : 1;
    }
    if (!run.isEmpty()) body += span(run_look, run);
    return on_dark(body);
}

QString json_text(const QString& markup) {
    QString body;
    for (const QJsonValue part : QJsonDocument::fromJson(markup.toUtf8()).array()) {
        const QJsonObject o = part.toObject();
        Look look;
        if (o.contains(QStringLiteral("color"))) look.colour = o.value(QStringLiteral("color")).toString();
        look.bold = o.value(QStringLiteral("bold")).toBool();
        look.italic = o.value(QStringLiteral("italic")).toBool();
        look.underline = o.value(QStringLiteral("underlined")).toBool();
        body += span(look, o.value(QStringLiteral("text")).toString());
    }
    return on_dark(body);
}

// A forum turns its tags into HTML much like this.
QString bbcode_html(const QString& markup) {
    QString html = markup.toHtmlEscaped();
    static const QRegularExpression kColour(QStringLiteral("\\[color=(#[0-9a-fA-F]{6})\\]"));
    static const QRegularExpression kSize(QStringLiteral("\\[size=(\\d)\\]"));
    static const QRegularExpression kStyle(QStringLiteral("\\[(/?)([biu])\\]"));
    html.replace(kColour, QStringLiteral("<font color=\"\\1\">")).replace(QStringLiteral("[/color]"), QStringLiteral("</font>"));
    html.replace(kSize, QStringLiteral("<font size=\"\\1\">")).replace(QStringLiteral("[/size]"), QStringLiteral("</font>"));
    html.replace(kStyle, QStringLiteral("<\\1\\2>"));
    return html.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}

}  // namespace

QString display_html(Dialect dialect, const QString& markup) {
    const DialectInfo& row = dialect_info(dialect);
    switch (row.preview) {
    case DialectPreview::Html: return markup;
    case DialectPreview::Bbcode: return bbcode_html(markup);
    case DialectPreview::Json: return json_text(markup);
    case DialectPreview::Codes: return coded_text(row, markup);
    }
    return markup;
}

}  // namespace gradation::settings_editor
