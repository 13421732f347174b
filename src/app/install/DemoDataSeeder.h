#pragma once

#include <QDate>
#include <QMap>
#include <QString>

namespace kalvero {

// Fills a unit database with believable example data: the entity, requesters
// with valid CPFs or CNPJs (two of them of the alphanumeric form), subjects
// with their required documents, sectors with their responsible persons, and
// protocols with documents and movements, some cancelled or archived. The
// same seed gives the same data.
class DemoDataSeeder {
public:
    struct Sizes {
        int requesters = 30;
        int companyEvery = 6;  // every n-th requester is a company (CNPJ)
        QMap<int, int> protocolsPerYear;  // year -> count; empty: about 320 over this and last year
        int maxMovementsPerProtocol = 3;
        bool cancelAndArchive = true;
    };

    DemoDataSeeder(QString databaseName, QString operatorCode);
    DemoDataSeeder(QString databaseName, QString operatorCode, Sizes sizes);

    // Writes everything; gives a one-line summary of what it wrote.
    QString fill();

private:
    QString m_databaseName;
    QString m_operatorCode;
    Sizes m_sizes;
};

}  // namespace kalvero
