#include "ProtocolListView.h"

#include "data/records/RecordSet.h"
#include "ui/FormParts.h"
#include "ui/RecordGrid.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kalvero {

using namespace FormParts;

ProtocolListView ProtocolListView::build(QWidget *tab, QVBoxLayout *column, RecordSet &protocols) {
    ProtocolListView v;
    v.DBGrid1 = named(new RecordGrid(&protocols, RecordGrid::Colours::Zebra, tab), "DBGrid1");
    v.DBGrid1->setFieldNames({QStringLiteral("IDPROTOCOLO"), QStringLiteral("ANO"), QStringLiteral("DATADEENTRADA"),
                              QStringLiteral("ASSUNTONOME"), QStringLiteral("SOLICITANTENOME")});
    column->addWidget(v.DBGrid1, 1);

    auto *totals = new QHBoxLayout;
    totals->addStretch();
    v.edtTotalProtocolos = totalBox(tab, "edtTotalProtocolos");
    totals->addWidget(label(QStringLiteral("Total de Protocolos:"), v.edtTotalProtocolos, tab));
    totals->addWidget(v.edtTotalProtocolos);
    column->addLayout(totals);
    return v;
}

void ProtocolListView::showTotal(const RecordSet &protocols) const {
    edtTotalProtocolos->setText(QString::number(protocols.recordCount()));
}

}  // namespace kalvero
