#pragma once

#include "ShellFixture.h"
#include "WindowDriving.h"
#include "access/Tdm2.h"
#include "data/session/SessionState.h"

#include <QStringList>

namespace kalvero::test {

// An install whose operator has just logged in: the session knows the program
// folder and the server, and the access module points at the access database,
// as the login leaves them when a registry is opened.
class AccessFixture : public ShellFixture {
public:
    AccessFixture() {
        Session.ProgramFolder = folder();
        Session.ServerAddress = serverAddress();
        dm2->MDatabaseSenha.setDatabaseName(accessDatabaseName());
    }

    QVariant scalar(const QString &sql, const QVariantList &params = {}) {
        return ShellFixture::scalar(accessDatabaseName(), sql, params);
    }
    QStringList operators() { return listOf(QStringLiteral("USUARIO"), QStringLiteral("OPERACAO")); }
    QStringList units() { return listOf(QStringLiteral("CODIGO"), QStringLiteral("ACESSO")); }

private:
    QStringList listOf(const QString &column, const QString &table) {
        return scalar(QStringLiteral("select cast(list(%1, ',') as varchar(2000)) from (select %1 from %2 order by %1)").arg(column, table))
            .toString()
            .split(QLatin1Char(','), Qt::SkipEmptyParts);
    }
};

}  // namespace kalvero::test
