// Makes the soak's unit database on the local server: the unit's tables, one
// requester, a subject with three required documents, a sector with a person.
//
//     kalvero_soak_prepare <database file path on this machine>
//
// Prints the database string the desks use.

#include "TestDatabase.h"

#include "data/Failure.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace kalvero;
using namespace kalvero::test;

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        QTextStream(stderr) << "usage: kalvero_soak_prepare <database file path>\n";
        return 2;
    }
    try {
        const QString database = createUnitDatabaseAt(args.at(1));
        for (const char *sql : {"insert into TBSOLICITANTE (IDSOLICITANTE, NOME) values (1, 'ANA')",
                                "insert into TBASSUNTO values (1, 'ALVARA')",
                                "insert into TBASSUNTO_DOCUMENTOS values (1, 'RG', 1)",
                                "insert into TBASSUNTO_DOCUMENTOS values (2, 'CPF', 1)",
                                "insert into TBASSUNTO_DOCUMENTOS values (3, 'PLANTA', 1)",
                                "insert into TBSETOR values (1, 'GABINETE')",
                                "insert into TBRESPONSAVEISPORSETOR values (1, 'JOAO', 1)"})
            executeOn(database, QString::fromLatin1(sql));
        QTextStream(stdout) << database << Qt::endl;
        return 0;
    } catch (const Failure &e) {
        QTextStream(stderr) << e.text() << '\n';
        return 1;
    }
}
