#include "BoxText.h"

#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>

namespace kalvero::BoxText {

QString kept(const QString &text, bool multiLine) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out += c;
            out += text.at(++i);
        } else if (c.isSurrogate()) {
            continue;  // half a character
        } else if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') {
            continue;  // one line break
        } else if (c == u'\t' || c == u'\n' || c == u'\r' || c == QChar::LineSeparator ||
                   c == QChar::ParagraphSeparator) {
            out += multiLine ? (c == u'\t' ? c : QChar(u'\n')) : QChar(u' ');
        } else if (c.category() != QChar::Other_Control) {
            out += c;
        }
    }
    return out;
}

QString leftWhole(const QString &text, int maxUnits) {
    if (maxUnits <= 0 || text.size() <= maxUnits)
        return text;
    QString cut = text.left(maxUnits);
    if (cut.back().isHighSurrogate())
        cut.chop(1);
    return cut;
}

void keepInBox(QPlainTextEdit *box, int maxLength) {
    const QString text = box->toPlainText();
    const QString keep = leftWhole(kept(text, true), maxLength);
    if (keep == text)
        return;
    const QSignalBlocker quiet(box);
    box->setPlainText(keep);
    box->moveCursor(QTextCursor::End);
}

}  // namespace kalvero::BoxText
