#include "ConsultationInput.h"

#include "data/modules/UnitStatements.h"
#include "registries/UCpfCnpj.h"
#include "reports/LumQRBarCode.h"

#include <QRegularExpression>

namespace kalvero {

namespace {

using Kind = ConsultationInput::Kind;

constexpr int NameLength = 80;  // TBSOLICITANTE.NOME

const QString Hint = QStringLiteral(
    "Digite o número/ano (12/2014), o CPF, o CNPJ, ao menos três letras do nome do solicitante, "
    "ou passe o leitor na etiqueta do protocolo.");

ConsultationInput make(Kind kind) {
    ConsultationInput in;
    in.kind = kind;
    return in;
}

ConsultationInput refused(const QString &message) {
    ConsultationInput in = make(Kind::Refused);
    in.message = message;
    return in;
}

ConsultationInput incomplete() {
    ConsultationInput in = make(Kind::Incomplete);
    in.message = Hint;
    return in;
}

// A label carries the EAN-13 of the number and year: twelve digits (three
// zeros, the five of the number, the four of the year) and the check digit.
ConsultationInput readLabel(const QString &code) {
    const QString body = code.left(12);
    if (TLumQRBarCode::DigitoEAN13(body) != code.at(12).digitValue())
        return refused(QStringLiteral("Código de barras inválido: o dígito verificador não confere. "
                                      "Passe o leitor na etiqueta outra vez ou digite o número/ano do protocolo."));
    if (!body.startsWith(QLatin1String("000")))
        return refused(QStringLiteral("Este código de barras não é de uma etiqueta de protocolo."));
    ConsultationInput in = make(Kind::Key);
    in.fromLabel = true;
    in.number = body.mid(3, 5);
    in.year = body.mid(8, 4);
    return in;
}

}  // namespace

ConsultationInput ConsultationInput::read(const QString &typed) {
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return make(Kind::Empty);

    static const QRegularExpression numberYear(QStringLiteral("^(\\d{1,5})\\s*/\\s*(\\d{4})$"));
    if (const auto m = numberYear.match(text); m.hasMatch()) {
        ConsultationInput in = make(Kind::Key);
        in.number = m.captured(1).rightJustified(5, QLatin1Char('0'));
        in.year = m.captured(2);
        return in;
    }

    // Digits with the punctuation of a CPF or CNPJ, or a label's code.
    static const QRegularExpression numeric(QStringLiteral("^[\\d.\\-/\\s]+$"));
    if (numeric.match(text).hasMatch()) {
        QString digits = text;
        digits.remove(QRegularExpression(QStringLiteral("\\D")));
        const bool bare = digits.size() == text.size();
        if (bare && digits.size() == 13)
            return readLabel(digits);
        if (digits.size() == 11) {
            if (!CpfIsValid(digits))
                return refused(QStringLiteral("CPF inválido!"));
            ConsultationInput in = make(Kind::Cpf);
            in.digits = digits;
            return in;
        }
        if (digits.size() == 14) {
            if (!CnpjIsValid(digits))
                return refused(QStringLiteral("CNPJ inválido!"));
            ConsultationInput in = make(Kind::Cnpj);
            in.digits = digits;
            return in;
        }
        if (digits.size() > 14)
            return refused(QStringLiteral("Número não reconhecido: não é etiqueta, CPF nem CNPJ."));
        return incomplete();
    }

    // A CNPJ of the alphanumeric kind, typed with or without its punctuation,
    // in either case: twelve digits or letters, then two check digits.
    static const QRegularExpression cnpjCharacters(QStringLiteral("^[0-9A-Za-z.\\-/\\s]+$"));
    if (text.contains(QRegularExpression(QStringLiteral("\\d"))) && cnpjCharacters.match(text).hasMatch()) {
        QString bare = text.toUpper();
        bare.remove(QRegularExpression(QStringLiteral("[.\\-/\\s]")));
        static const QRegularExpression cnpjShape(QStringLiteral("^[0-9A-Z]{12}\\d{2}$"));
        static const QRegularExpression punctuation(QStringLiteral("[.\\-/]"));
        // A body of letters alone is a name with a number after it, unless
        // it carries the CNPJ's punctuation.
        const bool digitInBody = bare.left(12).contains(QRegularExpression(QStringLiteral("\\d")));
        const bool punctuated = text.contains(punctuation);
        if (cnpjShape.match(bare).hasMatch() && (digitInBody || punctuated)) {
            if (!CnpjIsValid(bare))
                return refused(QStringLiteral("CNPJ inválido!"));
            ConsultationInput in = make(Kind::Cnpj);
            in.digits = bare;
            return in;
        }
        // On the way to one: not yet a name to look for.
        if (punctuated && bare.size() < 14)
            return incomplete();
    }

    int letters = 0;
    for (QChar c : text)
        letters += c.isLetter() ? 1 : 0;
    if (letters < NameMinimum)
        return incomplete();
    // No name is longer than its column, and the database refuses a longer
    // search text outright.
    if (text.size() > NameLength)
        return refused(QStringLiteral("O nome do solicitante tem no máximo %1 letras.").arg(NameLength));
    ConsultationInput in = make(Kind::Name);
    in.namePart = text;
    return in;
}

QString ConsultationInput::hint() { return Hint; }

QString ConsultationInput::nameSearched() const {
    QString bare = namePart;
    for (QChar c : ConsultationStatements::NamePunctuation)
        bare.remove(c);
    return bare;
}

QString ConsultationInput::description() const {
    switch (kind) {
    case Kind::Key:
        return (fromLabel ? QStringLiteral("Etiqueta do protocolo ") : QStringLiteral("Protocolo ")) + number +
               QLatin1Char('/') + year;
    case Kind::Cpf: return QStringLiteral("CPF ") + digits;
    case Kind::Cnpj: return QStringLiteral("CNPJ ") + digits;
    case Kind::Name: return QStringLiteral("Solicitante com \"") + namePart + QLatin1Char('"');
    default: return message;
    }
}

}  // namespace kalvero
