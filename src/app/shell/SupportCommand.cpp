#include "SupportCommand.h"

#include "data/session/ProgramIdentity.h"
#include "ui/MessageService.h"

#include <QApplication>
#include <QFileInfo>
#include <QProcess>
#include <QWidget>

namespace kalvero {

SupportCommand::SupportCommand(QString supportProgram, QWidget *window)
    : startProgram([](const QString &program) { return QProcess::startDetached(program, {}); }),
      m_program(std::move(supportProgram)), m_window(window) {}

bool SupportCommand::run() {
    if (!QFileInfo::exists(m_program)) {
        MessageService::inform(m_window, QStringLiteral("Atenção"),
                               QStringLiteral("O programa de suporte da Norvale ainda não foi instalado nesta máquina.") +
                                   QStringLiteral("\r\r") + QStringLiteral("Ligue para ") +
                                   ProgramIdentity::SupportTelephone +
                                   QStringLiteral(" e solicite o suporte via telefone."),
                               MessageService::Icon::Error);
        return false;
    }
    if (!MessageService::confirm(m_window, QStringLiteral("Atenção"),
                                 QStringLiteral("Para ter acesso ao suporte da Norvale, este programa será minimizado e "
                                                "após alguns instantes o programa do suporte será iniciado.") +
                                     QStringLiteral("\r\r") + QStringLiteral("Deseja continuar?"),
                                 MessageService::Icon::Question))
        return false;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible())
            w->showMinimized();
    startProgram(m_program);
    return true;
}

}  // namespace kalvero
