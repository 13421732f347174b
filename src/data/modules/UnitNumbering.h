#pragma once

#include "../records/NumberedSave.h"

namespace kalvero {

// The numbering scope of every numbered table of a unit database: what a new
// row's number counts within, and the statement that reads the highest.
namespace UnitNumbering {

NumberScope protocolsOfYear(const QString &year);                           // "00001" again every year
NumberScope documentsOf(const QString &protocolNumber, const QString &year);
NumberScope movementsOf(const QString &protocolNumber, const QString &year);
NumberScope requiredDocumentsOf(int subjectCode);
NumberScope requesters();
NumberScope subjects();
NumberScope sectors();
NumberScope responsibles();  // unique over all sectors

}  // namespace UnitNumbering

}  // namespace kalvero
