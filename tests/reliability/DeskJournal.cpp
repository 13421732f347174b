#include "DeskJournal.h"

#include "data/firebird/Connection.h"
#include "data/records/RecordSet.h"

#include <QRegularExpression>

namespace kalvero::test {

namespace {

// The tag at the start of a description or remarks; a cancellation trailer
// may follow it.
QString tagOf(const QString &text) {
    static const QRegularExpression tag(QStringLiteral("^MESA \\d+ PEDIDO \\d+"));
    const QRegularExpressionMatch m = tag.match(text);
    return m.hasMatch() ? m.captured(0) : QString();
}

}  // namespace

void DeskJournal::read(const QByteArray &output) {
    for (const QByteArray &raw : output.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        const QStringList w = line.split(QLatin1Char(' '));
        if (line.startsWith(QLatin1String("SAVED P ")) && w.size() >= 5) {
            protocols[w.mid(4).join(QLatin1Char(' '))] = {w.at(2), w.at(3), 0};
        } else if (line.startsWith(QLatin1String("SAVED M ")) && w.size() >= 6) {
            movements[w.mid(5).join(QLatin1Char(' '))] = {w.at(2), w.at(3), w.at(4).toInt()};
        } else if (line.startsWith(QLatin1String("CANCELLED ")) && w.size() >= 5) {
            (w.at(1) == QLatin1String("P") ? cancelledProtocols : cancelledMovements) << w.mid(4).join(QLatin1Char(' '));
        } else if (line.startsWith(QLatin1String("FAIL "))) {
            const QString message =
                line.section(QStringLiteral(" :: "), 1).section(QStringLiteral(" || "), 0, 0).trimmed();
            if (message.isEmpty())
                refusalsWithoutMessage << line;
            else if (++refusals[message] == 1)
                refusalExamples[message] = line;
        } else if (line.startsWith(QLatin1String("RSS ")) && w.size() == 3) {
            memory << qMakePair(w.at(1).toLongLong(), w.at(2).toLongLong());
        }
    }
}

int DeskJournal::refusalCount() const {
    int n = int(refusalsWithoutMessage.size());
    for (int c : refusals)
        n += c;
    return n;
}

int DeskJournal::operationCount() const {
    return int(protocols.size() + movements.size() + cancelledProtocols.size() + cancelledMovements.size());
}

DeskAudit DeskAudit::of(const QString &databaseName, const DeskJournal &journal, int expectedDocuments) {
    DeskAudit audit;
    Connection c;
    c.setDatabaseName(databaseName);
    RecordSet set(QStringLiteral("audit"));
    set.setConnection(&c);

    // Protocols by tag, with their documents.
    QMap<QString, int> protocolCount;
    set.openWith(QStringLiteral("select p.IDPROTOCOLO, p.ANO, p.DESCRICAO, p.STATUS, "
                                "(select count(*) from TBDOCUMENTOS d where d.IDPROTOCOLO = p.IDPROTOCOLO "
                                "and d.ANO = p.ANO) as DOCUMENTOS from TBPROTOCOLO p"));
    for (set.first(); !set.eof(); set.next()) {
        const QString tag = tagOf(set.field(QStringLiteral("DESCRICAO")).asString());
        if (tag.isEmpty())
            continue;  // not written by a desk of the run
        ++audit.protocolsInDatabase;
        const QString number = set.field(QStringLiteral("IDPROTOCOLO")).asString();
        const QString year = set.field(QStringLiteral("ANO")).asString();
        if (++protocolCount[tag] == 2)
            audit.duplicates << QStringLiteral("protocol ") + tag;
        if (set.field(QStringLiteral("DOCUMENTOS")).asInteger() != expectedDocuments)
            audit.halfWritten << QStringLiteral("%1 %2/%3 with %4 documents")
                                     .arg(tag, number, year)
                                     .arg(set.field(QStringLiteral("DOCUMENTOS")).asInteger());
        const auto reported = journal.protocols.constFind(tag);
        if (reported == journal.protocols.constEnd())
            audit.unreported << QStringLiteral("protocol %1 %2/%3").arg(tag, number, year);
        else if (reported->number != number || reported->year != year)
            audit.lost << QStringLiteral("protocol %1 reported as %2/%3, written as %4/%5")
                              .arg(tag, reported->number, reported->year, number, year);
        const bool cancelled = set.field(QStringLiteral("STATUS")).asString() == QLatin1String("1");
        if (cancelled != journal.cancelledProtocols.contains(tag))
            audit.wrongState << QStringLiteral("protocol %1 %2").arg(tag, cancelled ? "cancelled" : "active");
    }
    for (auto it = journal.protocols.constBegin(); it != journal.protocols.constEnd(); ++it)
        if (!protocolCount.contains(it.key()))
            audit.lost << QStringLiteral("protocol %1 %2/%3").arg(it.key(), it->number, it->year);

    QMap<QString, int> movementCount;
    set.openWith(QStringLiteral("select IDPROTOCOLO, ANO, IDMOVIMENTACAO, OBSERVACAO, SITUACAO from TBMOVIMENTACAO"));
    for (set.first(); !set.eof(); set.next()) {
        const QString tag = tagOf(set.field(QStringLiteral("OBSERVACAO")).asString());
        if (tag.isEmpty())
            continue;
        ++audit.movementsInDatabase;
        if (++movementCount[tag] == 2)
            audit.duplicates << QStringLiteral("movement ") + tag;
        const auto reported = journal.movements.constFind(tag);
        const QString where = QStringLiteral("%1/%2 #%3")
                                  .arg(set.field(QStringLiteral("IDPROTOCOLO")).asString(),
                                       set.field(QStringLiteral("ANO")).asString())
                                  .arg(set.field(QStringLiteral("IDMOVIMENTACAO")).asInteger());
        if (reported == journal.movements.constEnd())
            audit.unreported << QStringLiteral("movement %1 %2").arg(tag, where);
        else if (QStringLiteral("%1/%2 #%3").arg(reported->number, reported->year).arg(reported->movement) != where)
            audit.lost << QStringLiteral("movement %1 reported as %2/%3 #%4, written as %5")
                              .arg(tag, reported->number, reported->year)
                              .arg(reported->movement)
                              .arg(where);
        const bool cancelled = set.field(QStringLiteral("SITUACAO")).asString() == QLatin1String("1");
        if (cancelled != journal.cancelledMovements.contains(tag))
            audit.wrongState << QStringLiteral("movement %1 %2").arg(tag, cancelled ? "cancelled" : "delivered");
    }
    for (auto it = journal.movements.constBegin(); it != journal.movements.constEnd(); ++it)
        if (!movementCount.contains(it.key()))
            audit.lost << QStringLiteral("movement %1").arg(it.key());
    set.close();
    c.close();
    return audit;
}

bool DeskAudit::clean() const {
    return lost.isEmpty() && duplicates.isEmpty() && halfWritten.isEmpty() && unreported.isEmpty() &&
           wrongState.isEmpty();
}

QString DeskAudit::summary() const {
    QStringList out;
    out << QStringLiteral("protocols %1, movements %2; lost %3, duplicates %4, half-written %5, unreported %6, "
                          "wrong state %7")
               .arg(protocolsInDatabase)
               .arg(movementsInDatabase)
               .arg(lost.size())
               .arg(duplicates.size())
               .arg(halfWritten.size())
               .arg(unreported.size())
               .arg(wrongState.size());
    for (const QStringList *list : {&lost, &duplicates, &halfWritten, &unreported, &wrongState})
        for (const QString &item : list->mid(0, 10))
            out << QStringLiteral("  ") + item;
    return out.join(QLatin1Char('\n'));
}

}  // namespace kalvero::test
