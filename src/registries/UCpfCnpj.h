#pragma once

#include <QString>

namespace kalvero {

// Check digits of the taxpayer number of a person (CPF, 11 digits) and of a
// company or public body (CNPJ, 14 digits), both modulo 11. Pure functions:
// the text must be the digits alone; anything else is simply not valid.
bool CpfIsValid(const QString &cpf);
bool CnpjIsValid(const QString &cnpj);

// The number with its two check digits appended, from its first 9 (CPF) or
// 12 (CNPJ) digits.
QString CpfWithCheckDigits(const QString &nineDigits);
QString CnpjWithCheckDigits(const QString &twelveDigits);

}  // namespace kalvero
