#pragma once

#include <QString>

namespace kalvero {

// What the install tool is asked to make.
struct InstallOptions {
    QString folder;          // the program folder to make, absolute
    QString serverAddress;   // empty: the embedded engine opens the files
    QString operatorCode;    // 4 characters
    QString password;        // 5 characters
    QString operatorName;
    QString unitName = QStringLiteral("PREFEITURA MUNICIPAL DE EXEMPLO");
    QString municipality = QStringLiteral("EXEMPLO");
    bool demo = false;       // fill unit 01 with example data
    bool replace = false;    // replace an existing install
};

}  // namespace kalvero
