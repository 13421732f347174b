// One desk of the reliability runs: enters protocols with their documents,
// moves each one, and now and then cancels a movement and a protocol,
// through the same store routines that the screens' buttons call. A refused
// step is tried again, as the operator presses the button again after
// reading the message, until it goes through. Each event is one line on the
// standard output (see DeskJournal.h).
//
//     kalvero_desk_worker <database> <desk> [--rounds N] [--seconds S]
//                         [--pause-ms MIN-MAX] [--cancel-every K] [--stop-file F]
//
// Ends after N rounds, after S seconds, or when the stop file appears; always
// after finishing the round under way.

#include "data/Clock.h"
#include "data/Failure.h"
#include "data/firebird/FailureWords.h"
#include "data/modules/TDM.h"
#include "data/modules/TUDMCadastro.h"
#include "data/records/RecordSet.h"
#include "movements/MovementStore.h"
#include "protocols/ProtocolStore.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTextStream>
#include <QThread>

#include <functional>

using namespace kalvero;

namespace {

QTextStream out(stdout);

qint64 residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

// Tries a step until it goes through; each refusal is reported with the
// message the screen shows for it. Gives up (and ends the desk) only after
// three minutes of refusals in a row.
void untilDone(const QString &what, const QString &tag, const std::function<void()> &step) {
    QDeadlineTimer giveUp(3 * 60 * 1000);
    for (;;) {
        try {
            step();
            return;
        } catch (const std::exception &e) {
            const FailureWords words = FailureWords::of(e);
            const auto oneLine = [](QString text) { return text.replace(QLatin1Char('\n'), QLatin1Char(' ')); };
            out << "FAIL " << what << ' ' << tag << " :: " << oneLine(words.text) << " || " << oneLine(words.details)
                << Qt::endl;
            if (giveUp.hasExpired()) {
                out << "GAVEUP " << what << ' ' << tag << Qt::endl;
                ::exit(3);
            }
            QThread::msleep(300);
        }
    }
}

struct Options {
    QString database;
    QString desk;
    int rounds = 0;
    int seconds = 0;
    int pauseMin = 0;
    int pauseMax = 0;
    int cancelEvery = 5;
    QString stopFile;
};

Options parse(const QStringList &args) {
    Options o;
    o.database = args.value(1);
    o.desk = args.value(2);
    for (int i = 3; i + 1 < args.size(); i += 2) {
        const QString &name = args.at(i);
        const QString &value = args.at(i + 1);
        if (name == QLatin1String("--rounds"))
            o.rounds = value.toInt();
        else if (name == QLatin1String("--seconds"))
            o.seconds = value.toInt();
        else if (name == QLatin1String("--pause-ms")) {
            o.pauseMin = value.section(QLatin1Char('-'), 0, 0).toInt();
            o.pauseMax = std::max(o.pauseMin, value.section(QLatin1Char('-'), 1, 1).toInt());
        } else if (name == QLatin1String("--cancel-every"))
            o.cancelEvery = value.toInt();
        else if (name == QLatin1String("--stop-file"))
            o.stopFile = value;
    }
    return o;
}

void pause(const Options &o) {
    if (o.pauseMax > 0)
        QThread::msleep(o.pauseMin + QRandomGenerator::global()->bounded(o.pauseMax - o.pauseMin + 1));
}

}  // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const Options o = parse(app.arguments());
    if (o.database.isEmpty() || o.desk.isEmpty()) {
        QTextStream(stderr) << "usage: kalvero_desk_worker <database> <desk> [--rounds N] [--seconds S] "
                               "[--pause-ms MIN-MAX] [--cancel-every K] [--stop-file F]\n";
        return 2;
    }
    TDM dm;
    dm.MDatabasePrincipal.setDatabaseName(o.database);
    TUDMCadastro cadastro(dm);
    ProtocolStore protocols(cadastro);
    MovementStore movements(cadastro);
    RecordSet &p = cadastro.cdsTBProtocolo;
    RecordSet &m = cadastro.cdsTBMovimentacao;
    const QString operatorCode = o.desk.rightJustified(4, QLatin1Char('0'));

    untilDone(QStringLiteral("open"), QStringLiteral("-"), [&] { protocols.openLists(); });
    QStringList documents;
    untilDone(QStringLiteral("documents"), QStringLiteral("-"), [&] { documents = protocols.requiredDocumentNames(1); });

    QElapsedTimer running;
    running.start();
    qint64 startKb = 0;
    for (int round = 1;; ++round) {
        if ((o.rounds > 0 && round > o.rounds) || (o.seconds > 0 && running.elapsed() >= o.seconds * 1000LL) ||
            (!o.stopFile.isEmpty() && QFile::exists(o.stopFile)))
            break;
        if (round == 21)  // after the lists and the statements have settled
            startKb = residentKb();
        const QString tag = QStringLiteral("MESA %1 PEDIDO %2").arg(o.desk).arg(round);

        // "Novo", the typing, "&Gravar".
        QString number;
        QString year;
        untilDone(QStringLiteral("new"), tag, [&] {
            protocols.startNew();
            p.field(QStringLiteral("SOLICITANTE")).setAsInteger(1);
            p.field(QStringLiteral("ASSUNTO")).setAsInteger(1);
            p.field(QStringLiteral("DESCRICAO")).setAsString(tag + QStringLiteral(" - PEDIDO DE ALVARA"));
        });
        untilDone(QStringLiteral("protocol"), tag, [&] {
            number = protocols.saveFirst(Clock::today(), 0, documents).number;
            year = p.field(QStringLiteral("ANO")).asString();
        });
        out << "SAVED P " << number << ' ' << year << ' ' << tag << Qt::endl;
        pause(o);

        // "Movimentar Protocolo", "Incluir", the typing, "Gravar".
        untilDone(QStringLiteral("page"), tag, [&] {
            movements.openProtocol(number, year);
            movements.startNew();
            m.field(QStringLiteral("SETOR")).setAsInteger(1);
            m.field(QStringLiteral("RESPONSAVEL")).setAsInteger(1);
            m.field(QStringLiteral("OBSERVACAO")).setAsString(tag + QStringLiteral(" - ENTREGUE AO GABINETE"));
        });
        int movement = 0;
        untilDone(QStringLiteral("movement"), tag, [&] {
            const QTime now = QTime::currentTime();
            movement = movements.save(Clock::today(), QTime(now.hour(), now.minute()), operatorCode).number;
        });
        out << "SAVED M " << number << ' ' << year << ' ' << movement << ' ' << tag << Qt::endl;
        pause(o);

        if (o.cancelEvery > 0 && round % o.cancelEvery == 0) {
            // A step cut off in its commit may have been made: each try
            // reads the row again first.
            untilDone(QStringLiteral("cancel-movement"), tag, [&] {
                movements.refresh();
                m.locate(QStringLiteral("IDMOVIMENTACAO"), movement);
                if (!movements.currentIsCancelled())
                    movements.cancelCurrent(QStringLiteral("ENGANO NA ENTREGA"));
            });
            out << "CANCELLED M " << number << ' ' << year << ' ' << tag << Qt::endl;
            pause(o);
            untilDone(QStringLiteral("cancel-protocol"), tag, [&] {
                protocols.refreshList();
                if (protocols.findInList(number, year))
                    protocols.cancelCurrent(QStringLiteral("DESISTENCIA DO REQUERENTE"));
            });
            out << "CANCELLED P " << number << ' ' << year << ' ' << tag << Qt::endl;
            pause(o);
        }
        movements.closeProtocol();
    }
    out << "RSS " << (startKb ? startKb : residentKb()) << ' ' << residentKb() << Qt::endl;
    return 0;
}
