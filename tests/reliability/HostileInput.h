#pragma once

// Hostile texts pasted into the boxes of a screen, and the judgement of what
// came of each: stored as the box holds it and read back equal, or refused
// with one of the screen's own messages. Never the default error box (the
// database's words under "Detalhes"), never a box that holds more than its
// column or half a character.

#include "ui/MessageService.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTest>
#include <QVariant>

namespace kalvero::test {

struct HostileText {
    const char *name;
    QString text;
};

inline QList<HostileText> hostileTexts() {
    QString longPaste;
    while (longPaste.size() < 10000)
        longPaste += QStringLiteral("ÁBCDEFGHI ");
    QString longEmoji = QStringLiteral("A");  // odd: a cut at an even width falls inside a character
    while (longEmoji.size() < 10000)
        longEmoji += QStringLiteral("😀");
    return {
        {"quotes", QStringLiteral("D'ÁVILA \"O\" ''")},
        {"percent", QStringLiteral("100%")},
        {"underscore", QStringLiteral("A_B_")},
        {"backslash", QStringLiteral("C:\\TEMP\\")},
        {"comment", QStringLiteral("X -- Y")},
        {"semicolon", QStringLiteral("A; DROP TABLE TBPROTOCOLO;")},
        {"long paste", longPaste},
        {"accents", QStringLiteral("JOSÉ CONCEIÇÃO àéîõü")},
        {"chinese", QStringLiteral("申請書中文")},
        {"emoji", QStringLiteral("🏠 CASA 👍🏽")},
        {"long emoji paste", longEmoji},
        {"control characters", QStringLiteral("A\tB") + QChar(0x01) + QStringLiteral("C") + QChar(0x07) +
                                   QStringLiteral("D") + QChar(0x1b) + QStringLiteral("E") + QChar(0x7f) +
                                   QStringLiteral("\nF\r\nG") + QChar(0x00) + QStringLiteral("H")},
        {"padded", QStringLiteral("   PADDED   ")},
        {"blanks only", QStringLiteral("     ")},
    };
}

inline QString boxText(const QWidget *box) {
    if (auto *line = qobject_cast<const QLineEdit *>(box))
        return line->text();
    if (auto *text = qobject_cast<const QPlainTextEdit *>(box))
        return text->toPlainText();
    return QString();
}

// Replaces the box's text by a paste from the clipboard, as Ctrl+V does.
inline void pasteInto(QWidget *box, const QString &text) {
    QApplication::clipboard()->setText(text);
    box->setFocus(Qt::OtherFocusReason);
    if (auto *line = qobject_cast<QLineEdit *>(box))
        line->selectAll();
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(box))
        plain->selectAll();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

inline int characterCount(const QString &text) { return int(text.toUcs4().size()); }

// Shown for a person in the report: the text with its control characters
// named, cut short.
inline QString printable(const QString &text) {
    QString out;
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out.size() > 40 ? out.left(37) + QStringLiteral("...") : out;
}

// What the box did with the paste, in a few words.
inline QString boxEffect(const QString &pasted, const QString &held) {
    if (held == pasted)
        return QStringLiteral("as pasted");
    if (held.isEmpty())
        return QStringLiteral("took nothing");
    if (held == pasted.toUpper() || held == pasted.toLower())
        return QStringLiteral("case changed");
    if (pasted.startsWith(held) || pasted.toUpper().startsWith(held) || pasted.toLower().startsWith(held))
        return QStringLiteral("cut at %1").arg(characterCount(held));
    return QStringLiteral("holds \"%1\"").arg(printable(held));
}

// One paste and save: the box's text before the save, the column read back
// on a fresh connection after it, and what the screen said.
struct Attempt {
    QString pasted;
    QString held;
    QVariant before;
    QVariant after;
    QList<MessageService::Message> messages;
};

// A character the box holds but does not show: a control character, but
// for the line breaks and tabs of a multi-line box.
inline bool holdsUnseen(const QString &held, bool multiLine) {
    for (const QChar c : held)
        if (c.category() == QChar::Other_Control && !(multiLine && (c == u'\n' || c == u'\t')))
            return true;
    return false;
}

// Judges an attempt; empty when it is sound, the fault otherwise. The
// outcome in a few words goes into `outcome`. With no refusals, a name of
// blanks may be passed over without a word, as an empty one is.
inline QString judge(const Attempt &a, int width, const QStringList &refusals, QString *outcome, bool multiLine = false) {
    if (!a.held.isValidUtf16())
        return QStringLiteral("the box holds half a character: \"%1\"").arg(printable(a.held));
    if (holdsUnseen(a.held, multiLine))
        return QStringLiteral("the box holds a control character it does not show: \"%1\"").arg(printable(a.held));
    if (width > 0 && characterCount(a.held) > width)
        return QStringLiteral("the box holds %1 characters, its column %2").arg(characterCount(a.held)).arg(width);
    QStringList said;
    for (const MessageService::Message &m : a.messages) {
        if (!m.details.isEmpty())
            return QStringLiteral("database error box: %1 / %2").arg(m.text, m.details);
        if (m.buttons == MessageService::Buttons::YesNo)
            continue;  // the save's question
        if (!refusals.contains(m.text))
            return QStringLiteral("a message that is not the screen's refusal: \"%1\"").arg(m.text);
        said << m.text;
    }
    const QString effect = boxEffect(a.pasted, a.held);
    if (!said.isEmpty()) {
        if (a.after != a.before)
            return QStringLiteral("refused with \"%1\", yet the column changed to \"%2\"")
                .arg(said.join(QLatin1Char('/')), printable(a.after.toString()));
        *outcome = effect + QStringLiteral("; refused: ") + said.join(QLatin1Char('/'));
        return QString();
    }
    if (refusals.isEmpty() && a.held.trimmed().isEmpty() && a.after == a.before) {
        *outcome = effect + QStringLiteral("; passed over, as an empty name");
        return QString();
    }
    if (a.after.toString() != a.held)
        return QStringLiteral("the box holds \"%1\", the column \"%2\"").arg(printable(a.held), printable(a.after.toString()));
    *outcome = effect + QStringLiteral("; stored");
    return QString();
}

}  // namespace kalvero::test
