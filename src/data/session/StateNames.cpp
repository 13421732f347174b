#include "StateNames.h"

#include <QHash>

namespace kalvero {

std::optional<QString> StateTextFor(const QString &estado) {
    static const QHash<QString, QString> prefixes = [] {
        QHash<QString, QString> h;
        const QString da = QStringLiteral("ESTADO DA ");
        const QString de = QStringLiteral("ESTADO DE ");
        const QString doo = QStringLiteral("ESTADO DO ");
        for (const char *name : {"BAHIA", "PARAÍBA"})
            h.insert(QString::fromUtf8(name), da);
        for (const char *name : {"ALAGOAS", "GOIÁS", "MATO GROSSO", "PERNAMBUCO", "RODÔNIA", "RORAIMA",
                                 "SANTA CATARINA", "SÃO PAULO", "SERGIPE", ""})
            h.insert(QString::fromUtf8(name), de);
        for (const char *name : {"ACRE", "AMAPÁ", "AMAZONAS", "CEARÁ", "ESPÍRITO SANTO", "MARANHÃO",
                                 "MATO GROSSO DO SUL", "PARÁ", "PARANÁ", "PIAUÍ", "RIO DE JANEIRO",
                                 "RIO GRANDE DO NORTE", "RIO GRANDE DO SUL", "TOCANTINS"})
            h.insert(QString::fromUtf8(name), doo);
        h.insert(QStringLiteral("DISTRITO FEDERAL"), QString());
        return h;
    }();
    const auto it = prefixes.constFind(estado);
    if (it == prefixes.constEnd())
        return std::nullopt;
    return it.value() + estado;
}

}  // namespace kalvero
