#include "FirebirdConf.h"

#include <QRegularExpression>
#include <QStringList>

namespace kalvero::FirebirdConf {

namespace {

// "RemoteBindAddress = value", the value possibly followed by a comment.
const QRegularExpression &bindingLine() {
    static const QRegularExpression re(QStringLiteral("^\\s*RemoteBindAddress\\s*=\\s*([^#\\s]*)"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

QString valueOf(const QString &line) {
    const QRegularExpressionMatch m = bindingLine().match(line);
    return m.hasMatch() ? m.captured(1) : QString();
}

}  // namespace

QString boundAddress(const QString &text) {
    // The server reads the file top to bottom: the last setting wins.
    QString bound;
    for (const QString &line : text.split(QLatin1Char('\n')))
        if (bindingLine().match(line).hasMatch())
            bound = valueOf(line);
    return bound;
}

QString listenOnEveryInterface(const QString &text) {
    if (boundAddress(text).isEmpty())
        return text;
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines)
        if (!valueOf(line).isEmpty())
            line = QStringLiteral("#") + line + QStringLiteral("  # kalvero-setup: listen on every interface");
    return lines.join(QLatin1Char('\n'));
}

}  // namespace kalvero::FirebirdConf
