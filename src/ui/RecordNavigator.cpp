#include "RecordNavigator.h"

#include "data/records/RecordSet.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

namespace kalvero {

RecordNavigator::RecordNavigator(RecordSet *set, QWidget *parent) : QWidget(parent), m_set(set) {
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    auto make = [&](const char *name, const QString &hint, QStyle::StandardPixmap icon, void (RecordSet::*move)()) {
        auto *b = new QToolButton(this);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(hint);
        b->setIcon(style()->standardIcon(icon));
        b->setAutoRaise(false);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, [this, move] {
            if (m_set->isActive() && m_set->state() == RecordSet::State::Browse)
                (m_set->*move)();
        });
        row->addWidget(b);
        return b;
    };
    btnFirst = make("btnFirst", QStringLiteral("Primeiro"), QStyle::SP_MediaSkipBackward, &RecordSet::first);
    btnPrior = make("btnPrior", QStringLiteral("Anterior"), QStyle::SP_MediaSeekBackward, &RecordSet::prior);
    btnNext = make("btnNext", QStringLiteral("Proximo"), QStyle::SP_MediaSeekForward, &RecordSet::next);
    btnLast = make("btnLast", QStringLiteral("Ultimo"), QStyle::SP_MediaSkipForward, &RecordSet::last);
    row->addStretch();

    connect(set, &RecordSet::currentChanged, this, &RecordNavigator::updateButtons);
    connect(set, &RecordSet::stateChanged, this, &RecordNavigator::updateButtons);
    connect(set, &RecordSet::rowsReset, this, &RecordNavigator::updateButtons);
    updateButtons();
}

void RecordNavigator::updateButtons() {
    const bool browsing = m_set->isActive() && m_set->state() == RecordSet::State::Browse && !m_set->isEmpty();
    const int at = m_set->currentRow();
    const int last = m_set->recordCount() - 1;
    btnFirst->setEnabled(browsing && at > 0);
    btnPrior->setEnabled(browsing && at > 0);
    btnNext->setEnabled(browsing && at < last);
    btnLast->setEnabled(browsing && at < last);
}

}  // namespace kalvero
