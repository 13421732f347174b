#pragma once

#include "InstallOptions.h"
#include "data/Failure.h"

#include <QStringList>

namespace kalvero {

class InstallError : public Failure {
public:
    using Failure::Failure;
};

// Makes a complete program folder: the server address file, the emblem, the
// template unit database, the access database with the first operator and
// unit 01, unit 01's database and its backup folder. Gives one line for each
// thing it made.
class InstallFolderBuilder {
public:
    explicit InstallFolderBuilder(InstallOptions options);
    QStringList build();

    // An empty unit database with the template's tables, as the package ships
    // it in Config/ and as a new install makes it when it is missing.
    static void createTemplateDatabase(const QString &databaseName);

private:
    void validate() const;
    void clearExisting();
    QString databaseName(const QString &path) const;
    void writeServerAddress();
    void drawEmblem();
    void createTemplate();
    void createAccessDatabase();
    void createUnitDatabase();
    void made(const QString &what) { m_report << what; }

    InstallOptions m_options;
    QString m_folder;  // with a trailing "/"
    QStringList m_report;
};

}  // namespace kalvero
