// One desk of the load proof: saves protocols one after another through the
// store's first save, as "&Gravar" does, and tells how many numbers it found
// taken on the way: saved, numbers retried, most retries in one save.
//
//     protocol_load_worker <database> <desk> <count>

#include "Workstation.h"

#include "data/Clock.h"
#include "data/Failure.h"
#include "protocols/ProtocolStore.h"

#include <QCoreApplication>
#include <QTextStream>

#include <algorithm>

using namespace kalvero;

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    const QString desk = args.at(2);
    const int count = args.at(3).toInt();
    Clock::setNow(QDateTime(QDate(2014, 6, 5), QTime(10, 0)));

    QTextStream out(stdout);
    int saved = 0;
    int retries = 0;
    int mostInOneSave = 0;
    try {
        test::Workstation w(args.at(1));
        ProtocolStore store(w.cadastro);
        store.openLists();
        RecordSet &p = w.cadastro.cdsTBProtocolo;
        for (int i = 1; i <= count; ++i) {
            store.startNew();
            p.field(QStringLiteral("SOLICITANTE")).setAsInteger(1);
            p.field(QStringLiteral("ASSUNTO")).setAsInteger(1);
            p.field(QStringLiteral("DESCRICAO")).setAsString(QStringLiteral("MESA %1 PEDIDO %2").arg(desk).arg(i));
            const QStringList documents = store.requiredDocumentNames(1);
            const int taken = store.saveFirst(Clock::today(), 0, documents).retries;
            retries += taken;
            mostInOneSave = std::max(mostInOneSave, taken);
            ++saved;
        }
    } catch (const Failure &e) {
        QTextStream(stderr) << "desk " << desk << " after " << saved << ": " << e.text() << Qt::endl;
        out << saved << ' ' << retries << ' ' << mostInOneSave << Qt::endl;
        return 1;
    }
    out << saved << ' ' << retries << ' ' << mostInOneSave << Qt::endl;
    return 0;
}
