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

int digitAt(const QString &text, int index) { return text.at(index).unicode() - '0'; }

// Remainder 0 or 1 gives 0; any other remainder r gives 11 - r.
int checkDigit(int sum) {
    const int c = 11 - sum % 11;
    return c >= 10 ? 0 : c;
}

// The two check digits from the weights of each, as text, compared with the
// last two characters as text.
bool checkDigitsMatch(const QString &text, const int *firstWeights, const int *secondWeights, int bodyLength) {
    int s1 = 0;
    for (int i = 0; i < bodyLength; ++i)
        s1 += firstWeights[i] * digitAt(text, i);
    const int c1 = checkDigit(s1);
    int s2 = 0;
    for (int i = 0; i < bodyLength; ++i)
        s2 += secondWeights[i] * digitAt(text, i);
    s2 += secondWeights[bodyLength] * c1;
    const int c2 = checkDigit(s2);
    return QString::number(c1) + QString::number(c2) == text.mid(bodyLength, 2);
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
    static const int first[] = {10, 9, 8, 7, 6, 5, 4, 3, 2};
    static const int second[] = {11, 10, 9, 8, 7, 6, 5, 4, 3, 2};
    return checkDigitsMatch(cpf, first, second, 9);
}

bool CnpjIsValid(const QString &cnpj) {
    if (!allDigits(cnpj, 14))
        return false;
    for (char d = '0'; d <= '9'; ++d)
        if (cnpj == QString(14, QLatin1Char(d)))
            return false;
    static const int first[] = {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    static const int second[] = {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    return checkDigitsMatch(cnpj, first, second, 12);
}

}  // namespace kalvero
