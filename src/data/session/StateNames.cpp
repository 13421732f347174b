#include "StateNames.h"

#include <QHash>

namespace kalvero {

namespace {

struct State {
    const char *name;
    const char *prefix;  // what the wording puts before the name
};

// In the order of the entity screen's list.
constexpr State States[] = {
    {"ACRE", "ESTADO DO "},          {"ALAGOAS", "ESTADO DE "},
    {"AMAPÁ", "ESTADO DO "},         {"AMAZONAS", "ESTADO DO "},
    {"BAHIA", "ESTADO DA "},         {"CEARÁ", "ESTADO DO "},
    {"DISTRITO FEDERAL", ""},        {"ESPÍRITO SANTO", "ESTADO DO "},
    {"GOIÁS", "ESTADO DE "},         {"MARANHÃO", "ESTADO DO "},
    {"MATO GROSSO", "ESTADO DE "},   {"MATO GROSSO DO SUL", "ESTADO DO "},
    {"PARÁ", "ESTADO DO "},          {"PARAÍBA", "ESTADO DA "},
    {"PARANÁ", "ESTADO DO "},        {"PERNAMBUCO", "ESTADO DE "},
    {"PIAUÍ", "ESTADO DO "},         {"RIO DE JANEIRO", "ESTADO DO "},
    {"RIO GRANDE DO NORTE", "ESTADO DO "}, {"RIO GRANDE DO SUL", "ESTADO DO "},
    {"RODÔNIA", "ESTADO DE "},       {"RORAIMA", "ESTADO DE "},
    {"SANTA CATARINA", "ESTADO DE "}, {"SÃO PAULO", "ESTADO DE "},
    {"SERGIPE", "ESTADO DE "},       {"TOCANTINS", "ESTADO DO "},
};

}  // namespace

const QStringList &StateNames() {
    static const QStringList names = [] {
        QStringList n;
        for (const State &s : States)
            n << QString::fromUtf8(s.name);
        return n;
    }();
    return names;
}

std::optional<QString> StateTextFor(const QString &estado) {
    static const QHash<QString, QString> prefixes = [] {
        QHash<QString, QString> h;
        for (const State &s : States)
            h.insert(QString::fromUtf8(s.name), QString::fromUtf8(s.prefix));
        h.insert(QString(), QStringLiteral("ESTADO DE "));  // a row without a state
        return h;
    }();
    const auto it = prefixes.constFind(estado);
    if (it == prefixes.constEnd())
        return std::nullopt;
    return it.value() + estado;
}

}  // namespace kalvero
