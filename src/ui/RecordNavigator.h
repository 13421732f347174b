#pragma once

#include <QWidget>

class QToolButton;

namespace kalvero {

class RecordSet;

// First, prior, next and last record of a record set.
class RecordNavigator : public QWidget {
    Q_OBJECT
public:
    explicit RecordNavigator(RecordSet *set, QWidget *parent = nullptr);

    QToolButton *btnFirst;
    QToolButton *btnPrior;
    QToolButton *btnNext;
    QToolButton *btnLast;

private:
    void updateButtons();
    RecordSet *m_set;
};

}  // namespace kalvero
