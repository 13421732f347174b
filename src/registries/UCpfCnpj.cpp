#include "UCpfCnpj.h"

#include <QStringList>

namespace kalvero {

namespace {

bool allDigits(const QString &text, int length) {
    if (text.size() != length)
        return false;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

// A CNPJ's body: digits or, in the alphanumeric form, capital letters.
bool digitsOrCapitals(const QString &text, int length) {
    if (text.size() != length)
        return false;
    for (QChar c : text)
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))))
            return false;
    return true;
}

// A character's worth in the weighted sums: its code less that of "0", so a
// digit is worth itself and a capital letter 17 ("A") to 42 ("Z").
int valueAt(const QString &text, int index) { return text.at(index).unicode() - '0'; }

// Remainder 0 or 1 gives 0; any other remainder r gives 11 - r.
int checkDigit(int sum) {
    const int c = 11 - sum % 11;
    return c >= 10 ? 0 : c;
}

const int CpfFirst[] = {10, 9, 8, 7, 6, 5, 4, 3, 2};
const int CpfSecond[] = {11, 10, 9, 8, 7, 6, 5, 4, 3, 2};
const int CnpjFirst[] = {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
const int CnpjSecond[] = {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};

// The text of the two check digits of the body (the characters before them); the
// second weighs the first check digit with the last of its weights.
QString checkDigits(const QString &text, const int *firstWeights, const int *secondWeights, int bodyLength) {
    int s1 = 0;
    for (int i = 0; i < bodyLength; ++i)
        s1 += firstWeights[i] * valueAt(text, i);
    const int c1 = checkDigit(s1);
    int s2 = 0;
    for (int i = 0; i < bodyLength; ++i)
        s2 += secondWeights[i] * valueAt(text, i);
    s2 += secondWeights[bodyLength] * c1;
    const int c2 = checkDigit(s2);
    return QString::number(c1) + QString::number(c2);
}

}  // namespace

bool CpfIsValid(const QString &cpf) {
    if (!allDigits(cpf, 11))
        return false;
    static const QStringList refused = {
        QStringLiteral("11111111111"), QStringLiteral("22222222222"), QStringLiteral("33333333333"),
        QStringLiteral("44444444444"), QStringLiteral("55555555555"), QStringLiteral("66666666666"),
        QStringLiteral("77777777777"), QStringLiteral("88888888888"), QStringLiteral("99999999999"),
        QStringLiteral("00000000000"), QStringLiteral("12345678909")};
    if (refused.contains(cpf))
        return false;
    return checkDigits(cpf, CpfFirst, CpfSecond, 9) == cpf.mid(9, 2);
}

bool CnpjIsValid(const QString &cnpj) {
    if (cnpj.size() != 14 || !digitsOrCapitals(cnpj.left(12), 12) || !allDigits(cnpj.mid(12), 2))
        return false;
    // Only the repeated digits are refused by name; any other body is judged
    // by its check digits.
    for (char d = '0'; d <= '9'; ++d)
        if (cnpj == QString(14, QLatin1Char(d)))
            return false;
    return checkDigits(cnpj, CnpjFirst, CnpjSecond, 12) == cnpj.mid(12, 2);
}

QString CpfWithCheckDigits(const QString &nineDigits) {
    return allDigits(nineDigits, 9) ? nineDigits + checkDigits(nineDigits, CpfFirst, CpfSecond, 9) : nineDigits;
}

QString CnpjWithCheckDigits(const QString &body) {
    return digitsOrCapitals(body, 12) ? body + checkDigits(body, CnpjFirst, CnpjSecond, 12) : body;
}

}  // namespace kalvero
