#pragma once

#include <QString>

namespace kalvero {

// Check digits of the taxpayer number of a person (CPF, 11 digits) and of a
// company or public body (CNPJ, 14 digits), both modulo 11. Pure functions:
// the text must be the digits alone; anything else is simply not valid.
bool CpfIsValid(const QString &cpf);
bool CnpjIsValid(const QString &cnpj);

}  // namespace kalvero
