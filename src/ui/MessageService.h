#pragma once

#include <QList>
#include <QString>
#include <functional>

class QWidget;

namespace kalvero {

// Every message box of the program goes through here: the caption, the text,
// the icon and the buttons. A test installs a responder that answers in place
// of a person and reads what was shown.
class MessageService {
public:
    enum class Icon { None, Error, Warning, Information, Question };
    enum class Buttons { Ok, YesNo };
    enum class Answer { Ok, Yes, No };

    struct Message {
        QString caption;
        QString text;  // exactly as composed, line breaks included
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
        QWidget *owner = nullptr;
        QString details;  // shown under "Detalhes" on request; empty: none
    };

    // A box with OK.
    static void inform(QWidget *owner, const QString &caption, const QString &text, Icon icon);
    // A box with OK and a "Detalhes" part that opens on request.
    static void inform(QWidget *owner, const QString &caption, const QString &text, Icon icon,
                       const QString &details);
    // A box with Yes and No; true only on Yes.
    static bool confirm(QWidget *owner, const QString &caption, const QString &text, Icon icon = Icon::Question);
    // The same with a "Detalhes" part that opens on request.
    static bool confirm(QWidget *owner, const QString &caption, const QString &text, Icon icon,
                        const QString &details);

    // For tests: answer instead of showing a box, and keep every message
    // answered so.
    using Responder = std::function<Answer(const Message &)>;
    static void setResponder(Responder responder);
    static void clearResponder();
    static const QList<Message> &shown();
    static void clearShown();

private:
    static Answer show(const Message &message);
};

}  // namespace kalvero
