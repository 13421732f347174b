#pragma once

#include <QString>

namespace kalvero::ProgramIdentity {

// The program's own version, set into the session when the main window shows.
inline const QString Version = QStringLiteral("1.02.000");
inline const QString ApplicationTitle = QStringLiteral("Protocolo");
inline const QString MainCaption = QStringLiteral("Kalvero - Sistema de Gerenciamento Eletrônico de Protocolos");

// The maker's contacts.
inline const QString MakerName = QStringLiteral("Norvale Sistemas");
inline const QString WebSite = QStringLiteral("http://www.kalvero.com.br/");
inline const QString UpdateFileUrl = QStringLiteral("http://www.kalvero.com.br/atualizacoes/kalvero.txt");
inline const QString SupportTelephone = QStringLiteral("(11) 3090-4120");
inline const QString SupportTelephones = QStringLiteral("(11) 3090-4120 / 3090-4121");
inline const QString EMail = QStringLiteral("suporte@kalvero.com.br");

// The site as a bare host name, as the status bar and the notices write it.
QString webHost();

// The footer line of the reports, with the current year.
QString rightsNotice(int year);

}  // namespace kalvero::ProgramIdentity
