#include "ShellFixture.h"

#include "access/Tdm2.h"
#include "app/install/InstallFolderBuilder.h"
#include "data/ProgramPaths.h"
#include "data/firebird/Connection.h"
#include "data/modules/TDM.h"
#include "data/modules/TUDMCadastro.h"
#include "data/session/SessionState.h"
#include "ui/ProgramExit.h"

namespace kalvero::test {

ShellFixture::ShellFixture() {
    InstallOptions o;
    o.folder = m_scratch.file(QStringLiteral("k"));
    o.serverAddress = serverAddress();
    o.operatorCode = QStringLiteral("ADM1");
    o.password = QStringLiteral("12345");
    o.operatorName = QStringLiteral("Administrador");
    InstallFolderBuilder(o).build();
    m_folder = o.folder + QLatin1Char('/');
    ProgramPaths::overrideProgramFolder(m_folder);

    Session = SessionState{};
    ProgramExit::reset();
    ProgramExit::setHandler([] {});

    access = std::make_unique<Tdm2>();
    unit = std::make_unique<TDM>();
    registries = std::make_unique<TUDMCadastro>(*unit);
}

ShellFixture::~ShellFixture() {
    registries.reset();
    unit.reset();
    access.reset();
    ProgramExit::setHandler(nullptr);
    ProgramExit::reset();
    ProgramPaths::overrideProgramFolder(QString());
}

QString ShellFixture::databaseNameOf(const QString &path) const {
    return DatabaseTarget::databaseName(serverAddress(), path);
}

QString ShellFixture::accessDatabaseName() const { return databaseNameOf(ProgramPaths::accessDatabase(m_folder)); }

QString ShellFixture::unitDatabaseName(const QString &unitCode) const {
    return databaseNameOf(ProgramPaths::unitDatabase(ProgramPaths::unitFolder(m_folder, unitCode)));
}

void ShellFixture::execute(const QString &databaseName, const QString &sql, const QVariantList &params) {
    executeOn(databaseName, sql, params);
}

QVariant ShellFixture::scalar(const QString &databaseName, const QString &sql, const QVariantList &params) {
    return scalarOn(databaseName, sql, params);
}

void ShellFixture::addOperator(const QString &code, const QString &password, int level, const QString &name) {
    execute(accessDatabaseName(), QStringLiteral("insert into OPERACAO (USUARIO, SENHA, ACESSO, NOME) values (?, ?, ?, ?)"),
            {code, password, level, name});
}

void ShellFixture::addUnit(const QString &code, const QString &name, const QString &unitFolder) {
    execute(accessDatabaseName(),
            QStringLiteral("insert into ACESSO (CODIGO, PREFEITURA, CAMINHO, MUNICIPIO) values (?, ?, ?, ?)"),
            {code, name, unitFolder, QStringLiteral("EXEMPLO")});
}

QStringList ShellFixture::messageTexts() const {
    QStringList texts;
    for (const MessageService::Message &m : MessageService::shown())
        texts << m.text;
    return texts;
}

}  // namespace kalvero::test
