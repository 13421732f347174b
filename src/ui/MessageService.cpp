#include "MessageService.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace kalvero {

namespace {

MessageService::Responder &responder() {
    static MessageService::Responder r;
    return r;
}

QList<MessageService::Message> &log() {
    static QList<MessageService::Message> l;
    return l;
}

QMessageBox::Icon boxIcon(MessageService::Icon icon) {
    switch (icon) {
    case MessageService::Icon::Error: return QMessageBox::Critical;
    case MessageService::Icon::Warning: return QMessageBox::Warning;
    case MessageService::Icon::Information: return QMessageBox::Information;
    case MessageService::Icon::Question: return QMessageBox::Question;
    case MessageService::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

// Texts are composed with CR line breaks in places; a label breaks on LF.
QString displayText(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace

void MessageService::inform(QWidget *owner, const QString &caption, const QString &text, Icon icon) {
    show({caption, text, icon, Buttons::Ok, owner});
}

bool MessageService::confirm(QWidget *owner, const QString &caption, const QString &text, Icon icon) {
    return show({caption, text, icon, Buttons::YesNo, owner}) == Answer::Yes;
}

void MessageService::setResponder(Responder r) { responder() = std::move(r); }
void MessageService::clearResponder() { responder() = nullptr; }
const QList<MessageService::Message> &MessageService::shown() { return log(); }
void MessageService::clearShown() { log().clear(); }

MessageService::Answer MessageService::show(const Message &message) {
    // A test answers in place of a person and reads what was shown.
    if (responder()) {
        log().append(message);
        return responder()(message);
    }

    QWidget *owner = message.owner ? message.owner : QApplication::activeWindow();
    QMessageBox box(boxIcon(message.icon), message.caption, displayText(message.text), QMessageBox::NoButton, owner);
    box.setTextFormat(Qt::PlainText);
    if (message.buttons == Buttons::YesNo) {
        box.addButton(QMessageBox::Yes)->setText(QStringLiteral("&Sim"));
        box.addButton(QMessageBox::No)->setText(QStringLiteral("&Não"));
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }
    box.addButton(QMessageBox::Ok);
    box.exec();
    return Answer::Ok;
}

}  // namespace kalvero
