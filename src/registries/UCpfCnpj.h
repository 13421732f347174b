#pragma once

#include <QString>

namespace kalvero {

// Check digits of the taxpayer number of a person (CPF, 11 digits) and of a
// company or public body (CNPJ, 14 characters), both modulo 11. Pure
// functions: the text must be the number alone, without its punctuation;
// anything else is simply not valid.
bool CpfIsValid(const QString &cpf);
// A CNPJ is twelve digits, or, in the alphanumeric form of new companies,
// digits and capital letters, followed by two check digits.
bool CnpjIsValid(const QString &cnpj);

// The number with its two check digits appended, from its first 9 digits
// (CPF) or its 12-character body of either kind (CNPJ).
QString CpfWithCheckDigits(const QString &nineDigits);
QString CnpjWithCheckDigits(const QString &body);

}  // namespace kalvero
