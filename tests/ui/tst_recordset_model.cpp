#include "TestDatabase.h"

#include "data/modules/TDM.h"
#include "data/modules/TUDMCadastro.h"
#include "ui/RecordSetModel.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QTableView>
#include <QtTest>

using namespace kalvero;

class RecordSetModelTest : public QObject {
    Q_OBJECT

    static QStringList headers(const RecordSetModel &m) {
        QStringList out;
        for (int c = 0; c < m.columnCount(); ++c)
            out << m.headerData(c, Qt::Horizontal).toString();
        return out;
    }
    static QStringList row(const RecordSetModel &m, int r) {
        QStringList out;
        for (int c = 0; c < m.columnCount(); ++c)
            out << m.index(r, c).data().toString();
        return out;
    }

private slots:
    void gridShowsLabelsFormatsLookupsAndRecordNumbers() {
        test::ScratchFolder folder;
        TDM dm;
        dm.MDatabasePrincipal.setDatabaseName(test::createUnitDatabase(folder));
        TUDMCadastro cadastro(dm);
        Connection &c = dm.MDatabasePrincipal;
        c.execute(QStringLiteral("insert into TBSOLICITANTE (IDSOLICITANTE, CPF, CNPJ, NOME) values "
                                 "(12, '52998224725', '11222333000181', 'ANA')"));
        c.execute(QStringLiteral("insert into TBASSUNTO values (3, 'ALVARA')"));
        c.execute(QStringLiteral("insert into TBPROTOCOLO values ('00012', '2014', 12, 3, '2014-03-05', '0', 'X')"));
        c.execute(QStringLiteral("insert into TBPROTOCOLO values ('00013', '2014', 12, 3, '2014-03-06', '0', 'Y')"));

        cadastro.cdsTBSolicitante.open();
        RecordSetModel requesters(&cadastro.cdsTBSolicitante);
        QCOMPARE(headers(requesters), QStringList({"Código", "CPF", "CNPJ", "Nome"}));  // hidden columns left out
        QCOMPARE(row(requesters, 0), QStringList({"00012", "529.982.247-25", "11.222.333/0001-81", "ANA"}));
        QCOMPARE(requesters.headerData(3, Qt::Horizontal, RecordSetModel::DisplayWidthRole).toInt(), 53);

        RecordSetModel protocols(&cadastro.cdsTBProtocolo);
        // Qt's own checker follows every change the grid is told of.
        QAbstractItemModelTester tester(&protocols, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QTableView grid;
        grid.setModel(&protocols);
        grid.show();
        cadastro.cdsTBProtocolo.open();
        QCOMPARE(headers(protocols), QStringList({"Protocolo", "Ano", "Entrada", "Assunto", "Solicitante"}));
        QCOMPARE(row(protocols, 0), QStringList({"00012", "2014", "05/03/2014", "", "ANA"}));
        cadastro.cdsTBAssunto.open();
        QCOMPARE(protocols.index(1, 3).data().toString(), QStringLiteral("ALVARA"));
        QCOMPARE(protocols.index(1, 0).data(RecordSetModel::RecordNumberRole).toInt(), 2);
        QCOMPARE(grid.model()->rowCount(), 2);

        // Rows entered through the record set appear in the grid at once.
        QSignalSpy inserted(&protocols, &QAbstractItemModel::rowsInserted);
        cadastro.cdsTBProtocolo.append();
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(protocols.rowCount(), 3);
        cadastro.cdsTBProtocolo.cancel();
        QCOMPARE(protocols.rowCount(), 2);
        cadastro.cdsTBProtocolo.last();
        cadastro.cdsTBProtocolo.deleteRecord();
        QCOMPARE(protocols.rowCount(), 1);
        cadastro.cdsTBProtocolo.applyUpdates();
        cadastro.cdsTBProtocolo.refresh();
        QCOMPARE(protocols.rowCount(), 1);

        protocols.setFieldNames({QStringLiteral("IDPROTOCOLO"), QStringLiteral("DESCRICAO")});
        QCOMPARE(headers(protocols), QStringList({"Protocolo", "Descrição"}));
        cadastro.cdsTBProtocolo.close();
        QCOMPARE(protocols.rowCount(), 0);
    }
};

QTEST_MAIN(RecordSetModelTest)
#include "tst_recordset_model.moc"
