#pragma once

#include <QString>

namespace kalvero {

// What the operator typed or scanned into the search box of "Consulta de
// Protocolos", read as one of the forms it understands: the 13 digits of a
// label's EAN-13, "number/year", a CPF or a CNPJ (with or without its
// punctuation), or a part of a requester's name.
struct ConsultationInput {
    enum class Kind {
        Empty,       // nothing typed
        Incomplete,  // not yet one of the forms: hint shows what is expected
        Refused,     // a form with a wrong check digit: message says which
        Key,         // number and year, from a label or typed
        Cpf,
        Cnpj,
        Name,
    };

    static constexpr int NameMinimum = 3;  // letters of a name part

    Kind kind = Kind::Empty;
    bool fromLabel = false;  // the key came from a label's barcode
    QString number;          // five digits
    QString year;            // four digits
    QString digits;          // the CPF or CNPJ, bare, letters in capitals
    QString namePart;        // as typed, trimmed
    QString message;         // for Incomplete and Refused

    // The name part as it is searched: without the punctuation that the
    // search leaves out of names, as it leaves out case and accents
    // ("davila" finds "JOÃO D'ÁVILA").
    QString nameSearched() const;

    static ConsultationInput read(const QString &typed);
    // What the box understands, for a box that holds none of it yet.
    static QString hint();
    bool searchable() const { return kind != Kind::Empty && kind != Kind::Incomplete && kind != Kind::Refused; }
    // The form as a line of the screen says what was looked for.
    QString description() const;
};

}  // namespace kalvero
