#include "settings_editor/dialect_display.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <array>

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

// xterm's 256 colours: the 6x6x6 cube and the grey ramp (the first 16 vary by terminal).
QString xterm_colour(int n) {
    if (n >= 232) return QLatin1Char('#') + QStringLiteral("%1").arg(8 + 10 * (n - 232), 2, 16, QLatin1Char('0')).repeated(3);
    if (n < 16) return QStringLiteral("#c0c0c0");
    static constexpr std::array<int, 6> kLevels = {0, 95, 135, 175, 215, 255};
    const int c = n - 16;
    return QStringLiteral("#%1%2%3")
        .arg(kLevels[c / 36], 2, 16, QLatin1Char('0'))
        .arg(kLevels[c / 6 % 6], 2, 16, QLatin1Char('0'))
        .arg(kLevels[c % 6], 2, 16, QLatin1Char('0'));
}

void apply_sgr(Look& look, const QString& parameters) {
    const QStringList p = parameters.split(QLatin1Char(';'));
    for (qsizetype i = 0; i < p.size(); ++i) {
        const int code = p[i].toInt();
        if (code == 0) look = Look{};
        if (code == 1) look.bold = true;
        if (code == 3) look.italic = true;
        if (code == 4) look.underline = true;
        if (code == 38 && i + 4 < p.size() && p[i + 1] == QLatin1String("2")) {
            look.colour = QStringLiteral("#%1%2%3")
                              .arg(p[i + 2].toInt(), 2, 16, QLatin1Char('0'))
                              .arg(p[i + 3].toInt(), 2, 16, QLatin1Char('0'))
                              .arg(p[i + 4].toInt(), 2, 16, QLatin1Char('0'));
            i += 4;
        } else if (code == 38 && i + 2 < p.size() && p[i + 1] == QLatin1String("5")) {
            look.colour = xterm_colour(p[i + 2].toInt());
            i += 2;
        }
    }
}

// One code of a game or terminal dialect: a colour, a format, or an escaped character.
// Returns how many units it took at `at`, 0 when there is no code there.
qsizetype read_code(Dialect dialect, const QString& m, qsizetype at, Look& look, QString& text) {
    static const QRegularExpression kAmp(QStringLiteral("&#([0-9a-fA-F]{6})|&([lonmkr])"));
    static const QRegularExpression kSection(QStringLiteral("§x((?:§[0-9a-fA-F]){6})|§([lonmkr])"));
    static const QRegularExpression kMini(QStringLiteral("<#([0-9a-fA-F]{6})>|<(/?)([biu])>|\\\\([<\\\\])"));
    static const QRegularExpression kAnsi(QStringLiteral("\x1b\\[([0-9;]*)m"));
    const QRegularExpression& code = dialect == Dialect::Minecraft          ? kAmp
                                     : dialect == Dialect::MinecraftSection ? kSection
                                     : dialect == Dialect::MiniMessage      ? kMini
                                                                            : kAnsi;
    const QRegularExpressionMatch match = code.match(m, at, QRegularExpression::NormalMatch,
                                                     QRegularExpression::AnchorAtOffsetMatchOption);
    if (!match.hasMatch()) return 0;
    if (dialect == Dialect::Ansi || dialect == Dialect::Ansi256) {
        apply_sgr(look, match.captured(1));
    } else if (dialect == Dialect::MiniMessage) {
        text += match.captured(4);
        if (!match.captured(1).isEmpty()) look.colour = QLatin1Char('#') + match.captured(1).toLower();
        const bool on = match.captured(2).isEmpty();
        if (match.captured(3) == QLatin1String("b")) look.bold = on;
        if (match.captured(3) == QLatin1String("i")) look.italic = on;
        if (match.captured(3) == QLatin1String("u")) look.underline = on;
    } else if (!match.captured(1).isEmpty()) {
        look = Look{};  // a colour code resets the formats in the game
        look.colour = QLatin1Char('#') + match.captured(1).remove(QStringLiteral("§")).toLower();
    } else {
        const QChar f = match.captured(2).at(0);
        if (f == u'r') look = Look{};
        look.bold = look.bold || f == u'l';
        look.italic = look.italic || f == u'o';
        look.underline = look.underline || f == u'n';
    }
    return match.capturedLength();
}

QString coded_text(Dialect dialect, const QString& markup) {
    QString body, run;
    Look look, run_look;
    for (qsizetype at = 0; at < markup.size();) {
        QString escaped;
        Look next = look;
        const qsizetype taken = read_code(dialect, markup, at, next, escaped);
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
    switch (dialect) {
    case Dialect::Html:
    case Dialect::HtmlCss: return markup;
    case Dialect::Bbcode: return bbcode_html(markup);
    case Dialect::MinecraftJson: return json_text(markup);
    default: return coded_text(dialect, markup);
    }
}

}  // namespace gradation::settings_editor
