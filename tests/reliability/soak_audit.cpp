// The soak's figures: what the desks said (their output files) set against
// the database.
//
//     kalvero_soak_audit <database> <desk output>...
//
// Exit 1 when anything was lost, written twice or half-written.

#include "DeskJournal.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

using namespace kalvero::test;

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream out(stdout);
    if (args.size() < 3) {
        QTextStream(stderr) << "usage: kalvero_soak_audit <database> <desk output>...\n";
        return 2;
    }
    DeskJournal journal;
    for (const QString &path : args.mid(2)) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            QTextStream(stderr) << "cannot read " << path << '\n';
            return 2;
        }
        DeskJournal one;
        one.read(f.readAll());
        f.seek(0);
        journal.read(f.readAll());
        out << path << ": " << one.operationCount() << " operations (" << one.protocols.size() << " protocols, "
            << one.movements.size() << " movements, " << one.cancelledMovements.size() << " movement cancellations, "
            << one.cancelledProtocols.size() << " protocol cancellations), " << one.refusalCount() << " refusals";
        if (!one.memory.isEmpty())
            out << ", memory " << one.memory.first().first << " kB at start, " << one.memory.first().second
                << " kB at the end";
        out << Qt::endl;
    }
    out << "all desks: " << journal.operationCount() << " operations, " << journal.refusalCount() << " refusals"
        << Qt::endl;
    for (auto it = journal.refusals.constBegin(); it != journal.refusals.constEnd(); ++it)
        out << "  " << it.value() << " x " << journal.refusalExamples.value(it.key()) << Qt::endl;
    const DeskAudit audit = DeskAudit::of(args.at(1), journal, 3);
    out << audit.summary() << Qt::endl;
    return audit.clean() ? 0 : 1;
}
