#include "MessageService.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

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

// The button that opens a box's details speaks Portuguese, as every caption does.
class DetailsCaption : public QTranslator {
public:
    QString translate(const char *context, const char *source, const char *, int) const override {
        if (qstrcmp(context, "QMessageBox") != 0)
            return {};
        if (qstrcmp(source, "Show Details...") == 0)
            return QStringLiteral("Detalhes...");
        if (qstrcmp(source, "Hide Details...") == 0)
            return QStringLiteral("Ocultar Detalhes...");
        return {};
    }
    bool isEmpty() const override { return false; }
};

void installDetailsCaption() {
    static DetailsCaption *translator = [] {
        auto *t = new DetailsCaption;
        t->setParent(qApp);
        QCoreApplication::installTranslator(t);
        return t;
    }();
    Q_UNUSED(translator);
}

}  // namespace

void MessageService::inform(QWidget *owner, const QString &caption, const QString &text, Icon icon) {
    show({caption, text, icon, Buttons::Ok, owner});
}

void MessageService::inform(QWidget *owner, const QString &caption, const QString &text, Icon icon,
                            const QString &details) {
    show({caption, text, icon, Buttons::Ok, owner, details});
}

bool MessageService::confirm(QWidget *owner, const QString &caption, const QString &text, Icon icon) {
    return show({caption, text, icon, Buttons::YesNo, owner}) == Answer::Yes;
}

bool MessageService::confirm(QWidget *owner, const QString &caption, const QString &text, Icon icon,
                             const QString &details) {
    return show({caption, text, icon, Buttons::YesNo, owner, details}) == Answer::Yes;
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
    if (!message.details.isEmpty()) {
        installDetailsCaption();
        box.setDetailedText(message.details);
    }
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
