// One desk of the load proof: saves protocols one after another through the
// store's first save, as "&Gravar" does, and tells how long each save took.
// Or, with --cancel, a desk that cancels protocols of the list at random
// until the stop file appears.
//
//     protocol_load_worker <database> <desk> <count> [--pause-ms MIN-MAX]
//     protocol_load_worker <database> <desk> --cancel <stop file>
//     protocol_load_worker <database> <desk> --hold <ms>
//
// A saving desk prints one line "SAVE <number> <ms> <turns>" per save and
// ends with "DONE <saved>"; a cancelling desk prints "CANCEL <number>" per
// cancellation and "DONE <cancelled>". A holding desk takes the turn of the
// year's protocols, says "HOLDING <number>", keeps it for the given time (as a
// desk whose network dies in the middle of a save) and then writes the
// protocol: "SAVE <number>".

#include "Workstation.h"

#include "data/Clock.h"
#include "data/Failure.h"
#include "data/firebird/FailureWords.h"
#include "data/modules/UnitNumbering.h"
#include "data/records/NumberedSave.h"
#include "data/records/RecordSet.h"
#include "protocols/ProtocolStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTextStream>
#include <QThread>

using namespace kalvero;

namespace {

QTextStream out(stdout);

int cancelAtRandom(ProtocolStore &store, const QString &stopFile) {
    int cancelled = 0;
    RecordSet &p = store.protocols();
    while (!QFile::exists(stopFile)) {
        store.refreshList();
        if (p.recordCount() > 0) {
            p.setRecNo(1 + QRandomGenerator::global()->bounded(p.recordCount()));
            const QString number = p.field(QStringLiteral("IDPROTOCOLO")).asString();
            try {
                store.cancelCurrent(QStringLiteral("DESISTENCIA"));
                out << "CANCEL " << number << Qt::endl;
                ++cancelled;
            } catch (const Failure &e) {
                // Changed elsewhere or waiting too long: the desk reads the list again.
                out << "REFUSED " << number << ' ' << FailureWords::of(e).text << Qt::endl;
            }
        }
        QThread::msleep(QRandomGenerator::global()->bounded(50, 300));
    }
    return cancelled;
}

void holdTheTurn(test::Workstation &w, const QString &desk, int ms) {
    RecordSet &p = w.cadastro.cdsTBProtocolo;
    p.openWith(QStringLiteral("select * from TBPROTOCOLO where 1 = 0"));
    p.append();
    p.field(QStringLiteral("ANO")).setAsString(QStringLiteral("2014"));
    p.field(QStringLiteral("SOLICITANTE")).setAsInteger(1);
    p.field(QStringLiteral("ASSUNTO")).setAsInteger(1);
    p.field(QStringLiteral("DATADEENTRADA")).setValue(Clock::today());
    p.field(QStringLiteral("STATUS")).setAsString(QStringLiteral("0"));
    p.field(QStringLiteral("DESCRICAO")).setAsString(QStringLiteral("MESA %1 SEGURA A VEZ").arg(desk));
    NumberedSave save;
    bool held = false;
    const QVariant number = save.save({&p, UnitNumbering::protocolsOfYear(QStringLiteral("2014")),
                                       [&](const QVariant &n) {
                                           p.field(QStringLiteral("IDPROTOCOLO")).setValue(n);
                                           p.post();
                                           if (held)
                                               return;
                                           held = true;
                                           out << "HOLDING " << n.toString() << Qt::endl;
                                           QThread::msleep(ms);
                                       },
                                       {}, {}})
                                .number;
    out << "SAVE " << number.toString() << Qt::endl;
}

}  // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4)
        return 2;
    const QString desk = args.at(2);
    Clock::setNow(QDateTime(QDate(2014, 6, 5), QTime(10, 0)));

    int done = 0;
    try {
        test::Workstation w(args.at(1));
        ProtocolStore store(w.cadastro);
        store.openLists();
        if (args.at(3) == QLatin1String("--hold")) {
            holdTheTurn(w, desk, args.value(4).toInt());
            out << "DONE 1" << Qt::endl;
            return 0;
        }
        if (args.at(3) == QLatin1String("--cancel")) {
            done = cancelAtRandom(store, args.value(4));
            out << "DONE " << done << Qt::endl;
            return 0;
        }
        const int count = args.at(3).toInt();
        int pauseMin = 0;
        int pauseMax = 0;
        if (args.value(4) == QLatin1String("--pause-ms")) {
            const QStringList range = args.value(5).split(QLatin1Char('-'));
            pauseMin = range.value(0).toInt();
            pauseMax = range.value(1).toInt();
        }
        RecordSet &p = w.cadastro.cdsTBProtocolo;
        const QStringList documents = store.requiredDocumentNames(1);
        QElapsedTimer clock;
        for (int i = 1; i <= count; ++i) {
            if (pauseMax > 0)
                QThread::msleep(QRandomGenerator::global()->bounded(pauseMin, pauseMax + 1));
            store.startNew();
            p.field(QStringLiteral("SOLICITANTE")).setAsInteger(1);
            p.field(QStringLiteral("ASSUNTO")).setAsInteger(1);
            p.field(QStringLiteral("DESCRICAO")).setAsString(QStringLiteral("MESA %1 PEDIDO %2").arg(desk).arg(i));
            clock.start();
            const ProtocolStore::FirstSave saved = store.saveFirst(Clock::today(), 0, documents);
            out << "SAVE " << saved.number << ' ' << clock.nsecsElapsed() / 1e6 << ' ' << saved.retries << Qt::endl;
            ++done;
        }
    } catch (const Failure &e) {
        QTextStream(stderr) << "desk " << desk << " after " << done << ": " << e.text() << Qt::endl;
        out << "DONE " << done << Qt::endl;
        return 1;
    }
    out << "DONE " << done << Qt::endl;
    return 0;
}
