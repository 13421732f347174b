#include "ProtocolSearch.h"

#include "ProtocolMessages.h"
#include "ProtocolStore.h"
#include "data/Clock.h"
#include "ui/BoxExit.h"
#include "ui/EnterAsTab.h"
#include "ui/ErrorBox.h"
#include "ui/FormParts.h"
#include "ui/TextCase.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kalvero {

using namespace FormParts;

ProtocolSearch ProtocolSearch::build(QWidget *parent) {
    ProtocolSearch s;
    s.group = new QGroupBox(QStringLiteral(" Consultas "), parent);
    s.grid = new QGridLayout(s.group);
    s.edtConsultaNumero = named(new QLineEdit(s.group), "edtConsultaNumero");
    acceptDigitsOnly(s.edtConsultaNumero, 5);
    s.edtConsultaNumero->setMaximumWidth(70);
    s.edtConsultaAno = named(new QLineEdit(s.group), "edtConsultaAno");
    acceptDigitsOnly(s.edtConsultaAno, 4);
    s.edtConsultaAno->setMaximumWidth(60);
    s.btnLocalizar = button(s.group, "btnLocalizar", QString(), QStyle::SP_FileDialogContentsView);
    s.btnLocalizar->setToolTip(QStringLiteral("Localizar"));
    s.grid->addWidget(label(QStringLiteral("Por Número"), s.edtConsultaNumero, s.group), 0, 0);
    auto *numberRow = new QHBoxLayout;
    numberRow->addWidget(s.edtConsultaNumero);
    numberRow->addWidget(new QLabel(QStringLiteral("/"), s.group));
    numberRow->addWidget(s.edtConsultaAno);
    numberRow->addWidget(s.btnLocalizar);
    numberRow->addStretch();
    s.grid->addLayout(numberRow, 0, 1);

    s.dtpDe = datePicker(s.group, "dtpDe");
    s.dtpAte = datePicker(s.group, "dtpAte");
    s.btnFiltrar = button(s.group, "btnFiltrar", QString(), QStyle::SP_FileDialogListView);
    s.btnFiltrar->setToolTip(QStringLiteral("Filtrar"));
    s.grid->addWidget(label(QStringLiteral("De"), s.dtpDe, s.group), 1, 0);
    s.periodRow = new QHBoxLayout;
    s.periodRow->addWidget(s.dtpDe);
    s.periodRow->addWidget(label(QStringLiteral("até"), s.dtpAte, s.group));
    s.periodRow->addWidget(s.dtpAte);
    s.periodRow->addWidget(s.btnFiltrar);
    s.grid->addLayout(s.periodRow, 1, 1);
    return s;
}

void ProtocolSearch::connect(QWidget *screen, ProtocolStore &store) const {
    QLineEdit *number = edtConsultaNumero;
    new BoxExitWatch(number, [number] { number->setText(number->text().rightJustified(5, QLatin1Char('0'))); });
    const ProtocolSearch boxes = *this;
    QObject::connect(btnLocalizar, &QPushButton::clicked, screen, [boxes, screen, &store] {
        ErrorBox::guard(screen, [&] { boxes.find(screen, store); });
    });
    // Enter in either box finds once both hold something; until then it
    // moves on as everywhere on the screen.
    for (QLineEdit *box : {edtConsultaNumero, edtConsultaAno})
        EnterAsTab::runOnEnter(box, [boxes] {
            if (boxes.edtConsultaNumero->text().isEmpty() || boxes.edtConsultaAno->text().isEmpty())
                return false;
            boxes.edtConsultaNumero->setText(boxes.edtConsultaNumero->text().rightJustified(5, QLatin1Char('0')));
            boxes.btnLocalizar->click();
            return true;
        });
}

void ProtocolSearch::showCurrentYearAndMonth() const {
    const QDate today = Clock::today();
    edtConsultaAno->setText(QString::number(today.year()));
    dtpDe->setDate(QDate(today.year(), today.month(), 1));
    dtpAte->setDate(QDate(today.year(), today.month(), today.daysInMonth()));
}

void ProtocolSearch::find(QWidget *screen, ProtocolStore &store) const {
    const QString number = edtConsultaNumero->text();
    const QString year = edtConsultaAno->text();
    if (number.size() != 5 || year.size() != 4) {
        ProtocolMessages::show(screen, QStringLiteral("Código/Ano inválido!"), MessageService::Icon::Warning);
        return;
    }
    if (!store.findInList(number, year))
        ProtocolMessages::show(screen, QStringLiteral("Protocolo NÃO localizado!"), MessageService::Icon::Warning);
}

}  // namespace kalvero
