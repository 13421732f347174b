#include "InstallFolderBuilder.h"

#include "DemoDataSeeder.h"
#include "EmblemPainter.h"
#include "data/DatabaseFileCopy.h"
#include "data/ProgramPaths.h"
#include "data/firebird/Connection.h"
#include "data/schema/AccessSchema.h"
#include "data/schema/UnitSchema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <unistd.h>


namespace kalvero {

namespace {

constexpr int UnitFolderWidth = 40;  // ACESSO.CAMINHO
const QString FirstUnitCode = QStringLiteral("01");

void makeFolder(const QString &path) {
    if (!QDir().mkpath(path))
        throw InstallError(QStringLiteral("Could not create the folder %1.").arg(path));
}

}  // namespace

InstallFolderBuilder::InstallFolderBuilder(InstallOptions options) : m_options(std::move(options)) {
    m_folder = QDir::cleanPath(QDir(m_options.folder).absolutePath()) + QLatin1Char('/');
}

QString InstallFolderBuilder::databaseName(const QString &path) const {
    return DatabaseTarget::databaseName(m_options.serverAddress, path);
}

void InstallFolderBuilder::validate() const {
    const InstallOptions &o = m_options;
    if (o.operatorCode.size() != 4)
        throw InstallError(QStringLiteral("The operator code must have exactly 4 characters."));
    if (o.password.size() != 5)
        throw InstallError(QStringLiteral("The password must have exactly 5 characters."));
    if (o.operatorName.trimmed().size() <= 2 || o.operatorName.size() > 80)
        throw InstallError(QStringLiteral("The operator's name must have 3 to 80 characters."));
    if (o.unitName.trimmed().size() <= 4 || o.unitName.size() > 60)
        throw InstallError(QStringLiteral("The unit's name must have 5 to 60 characters."));
    if (o.municipality.trimmed().size() <= 3 || o.municipality.size() > 30)
        throw InstallError(QStringLiteral("The municipality must have 4 to 30 characters."));
    const QString unitFolder = ProgramPaths::unitFolder(m_folder, FirstUnitCode);
    if (unitFolder.size() > UnitFolderWidth)
        throw InstallError(QStringLiteral("The folder %1 is too long: a unit's folder (%2) must fit in %3 characters. "
                                          "Choose a shorter install folder, such as %4.")
                               .arg(m_folder, unitFolder)
                               .arg(UnitFolderWidth)
                               .arg(ProgramPaths::InstallFolder));
}

void InstallFolderBuilder::clearExisting() {
    const QStringList databases = {ProgramPaths::accessDatabase(m_folder), ProgramPaths::templateDatabase(m_folder),
                                   ProgramPaths::unitDatabase(ProgramPaths::unitFolder(m_folder, FirstUnitCode))};
    // The package ships the template database: a folder holding only the
    // template (and the programs) is not yet an install.
    bool exists = QFile::exists(ProgramPaths::serverAddressFile(m_folder));
    for (const QString &db : databases)
        exists = exists || (db != ProgramPaths::templateDatabase(m_folder) && QFile::exists(db));
    if (!exists)
        return;
    if (!m_options.replace)
        throw InstallError(QStringLiteral("%1 already holds an install; nothing was changed. "
                                          "Use --replace to make it afresh (its databases are lost).")
                               .arg(m_folder));
    for (const QString &db : databases) {
        if (!QFile::exists(db))
            continue;
        try {
            Connection::dropDatabase(databaseName(db));
        } catch (const DatabaseError &e) {
            throw InstallError(QStringLiteral("Could not remove %1: %2").arg(db, e.text()));
        }
        made(QStringLiteral("removed the earlier %1").arg(db));
    }
}

void InstallFolderBuilder::writeServerAddress() {
    const QString path = ProgramPaths::serverAddressFile(m_folder);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw InstallError(QStringLiteral("Could not write %1: %2").arg(path, file.errorString()));
    // One line; an empty file means the embedded engine.
    if (!m_options.serverAddress.isEmpty())
        file.write(m_options.serverAddress.toLocal8Bit() + "\r\n");
    file.close();
    made(QStringLiteral("%1 (server address: %2)")
             .arg(path, m_options.serverAddress.isEmpty() ? QStringLiteral("none, embedded engine")
                                                          : m_options.serverAddress));
}

void InstallFolderBuilder::drawEmblem() {
    const QString path = ProgramPaths::emblemFile(m_folder);
    if (!EmblemPainter::paint().save(path, "BMP"))
        throw InstallError(QStringLiteral("Could not write %1.").arg(path));
    made(path);
}

void InstallFolderBuilder::createTemplateDatabase(const QString &databaseName) {
    Connection connection;
    connection.setDatabaseName(databaseName);
    connection.create();
    UnitSchema::createTemplateTables(connection);
    connection.close();
}

void InstallFolderBuilder::createTemplate() {
    const QString path = ProgramPaths::templateDatabase(m_folder);
    if (QFile::exists(path)) {
        // The package's own, or one kept by an earlier install.
        made(QStringLiteral("%1 (template unit database, kept)").arg(path));
        return;
    }
    createTemplateDatabase(databaseName(path));
    made(QStringLiteral("%1 (template unit database, %2 tables)").arg(path).arg(UnitSchema::templateTables().size()));
}

void InstallFolderBuilder::createAccessDatabase() {
    const QString path = ProgramPaths::accessDatabase(m_folder);
    Connection connection;
    connection.setDatabaseName(databaseName(path));
    connection.create();
    AccessSchema::createTables(connection);
    connection.execute(QStringLiteral("insert into OPERACAO (USUARIO, SENHA, ACESSO, NOME) values (?, ?, 1, ?)"),
                       {m_options.operatorCode, m_options.password, m_options.operatorName.toUpper()});
    connection.execute(QStringLiteral("insert into ACESSO (CODIGO, PREFEITURA, CAMINHO, MUNICIPIO) values (?, ?, ?, ?)"),
                       {FirstUnitCode, m_options.unitName.toUpper(), ProgramPaths::unitFolder(m_folder, FirstUnitCode),
                        m_options.municipality.toUpper()});
    connection.close();
    made(QStringLiteral("%1 (operator %2, level 1; unit %3-%4 in %5)")
             .arg(path, m_options.operatorCode, FirstUnitCode, m_options.unitName.toUpper(),
                  ProgramPaths::unitFolder(m_folder, FirstUnitCode)));
}

void InstallFolderBuilder::createUnitDatabase() {
    const QString unitFolder = ProgramPaths::unitFolder(m_folder, FirstUnitCode);
    makeFolder(unitFolder);
    const QString templatePath = ProgramPaths::templateDatabase(m_folder);
    const QString unitPath = ProgramPaths::unitDatabase(unitFolder);
    // The template is closed by now: no engine has it open while it is copied.
    const DatabaseFileCopy copy = DatabaseFileCopy::make(templatePath, unitPath);
    if (copy.result != DatabaseFileCopy::Result::Copied)
        throw InstallError(QStringLiteral("Could not copy %1 to %2: %3")
                               .arg(templatePath, unitPath,
                                    copy.result == DatabaseFileCopy::Result::AlreadyThere
                                        ? QStringLiteral("the file exists.")
                                        : copy.reason));
    // A server running as its own user must write the copy: it gets the owner
    // of the access database, which that server has just made.
    if (!m_options.serverAddress.isEmpty() && geteuid() == 0) {
        const QFileInfo access(ProgramPaths::accessDatabase(m_folder));
        if (::chown(QFile::encodeName(unitPath).constData(), access.ownerId(), access.groupId()) != 0)
            throw InstallError(QStringLiteral("Could not give %1 to the database server's user: %2")
                                   .arg(unitPath, QString::fromLocal8Bit(strerror(errno))));
    }
    made(QStringLiteral("%1 (copy of the template)").arg(unitPath));
    const QString backup = ProgramPaths::backupFolder(m_folder, FirstUnitCode);
    makeFolder(backup);
    made(backup);
}

QStringList InstallFolderBuilder::build() {
    m_report.clear();
    validate();
    makeFolder(m_folder);
    clearExisting();
    makeFolder(ProgramPaths::configFolder(m_folder));
    try {
        writeServerAddress();
        drawEmblem();
        createTemplate();
        createAccessDatabase();
        createUnitDatabase();
        if (m_options.demo) {
            DemoDataSeeder seeder(databaseName(ProgramPaths::unitDatabase(ProgramPaths::unitFolder(m_folder, FirstUnitCode))),
                                  m_options.operatorCode);
            made(QStringLiteral("example data in unit %1: %2").arg(FirstUnitCode, seeder.fill()));
        }
    } catch (const DatabaseError &e) {
        throw InstallError(e.text());
    }
    return m_report;
}

}  // namespace kalvero
