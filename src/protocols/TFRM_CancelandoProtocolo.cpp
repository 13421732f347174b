#include "TFRM_CancelandoProtocolo.h"

#include "ui/BoxText.h"
#include "ui/EnterAsTab.h"
#include "ui/MessageService.h"
#include "ui/ScreenCentre.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace kalvero {

TFRM_CancelandoProtocolo::TFRM_CancelandoProtocolo(QString &cancellationReason, QWidget *parent)
    : QDialog(parent), m_reason(cancellationReason) {
    setObjectName(QStringLiteral("FRM_CancelandoProtocolo"));
    setWindowTitle(QStringLiteral("Motivo do Cancelamento do Protocolo"));
    // Fixed size and no close box: the dialog is left through its buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(444, 234);
    setModal(true);
    CentreOnScreenWhenShown::install(this);

    auto *outer = new QVBoxLayout(this);
    auto *frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    auto *inFrame = new QVBoxLayout(frame);
    mmMotivo = new QPlainTextEdit(frame);
    mmMotivo->setObjectName(QStringLiteral("mmMotivo"));
    QFont bold = mmMotivo->font();
    bold.setBold(true);
    mmMotivo->setFont(bold);
    mmMotivo->setTabChangesFocus(true);
    connect(mmMotivo, &QPlainTextEdit::textChanged, this, [this] { BoxText::keepInBox(mmMotivo, 0); });
    inFrame->addWidget(mmMotivo);
    outer->addWidget(frame, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    btnOK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnCancelar = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Cancelar"), this);
    btnCancelar->setObjectName(QStringLiteral("btnCancelar"));
    for (QPushButton *b : {btnOK, btnCancelar}) {
        b->setAutoDefault(false);
        b->setMinimumHeight(30);
        buttons->addWidget(b);
    }
    outer->addLayout(buttons);

    connect(btnOK, &QPushButton::clicked, this, &TFRM_CancelandoProtocolo::ok);
    connect(btnCancelar, &QPushButton::clicked, this, &TFRM_CancelandoProtocolo::reject);
    EnterAsTab::enable(this);
}

void TFRM_CancelandoProtocolo::showEvent(QShowEvent *event) {
    mmMotivo->clear();
    mmMotivo->setFocus(Qt::OtherFocusReason);
    QDialog::showEvent(event);
}

void TFRM_CancelandoProtocolo::ok() {
    // A reason of blanks alone says nothing.
    if (mmMotivo->toPlainText().trimmed().isEmpty()) {
        MessageService::inform(this, QStringLiteral("Atenção"), QStringLiteral("Informe o motivo do cancelamento!"),
                               MessageService::Icon::Error);
        mmMotivo->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_reason = mmMotivo->toPlainText();
    accept();
}

void TFRM_CancelandoProtocolo::reject() {
    // "Cancelar", and any other way out (Esc, the window manager): no reason,
    // so an earlier one is never used again.
    m_reason.clear();
    QDialog::reject();
}

bool TFRM_CancelandoProtocolo::askReason(QString &cancellationReason, QWidget *parent) {
    TFRM_CancelandoProtocolo(cancellationReason, parent).exec();
    return !cancellationReason.isEmpty();
}

}  // namespace kalvero
