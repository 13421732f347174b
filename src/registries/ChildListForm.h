#pragma once

#include "ui/RecordGrid.h"

#include <QString>
#include <QStringList>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace kalvero {

class RecordSet;

// The child list on an edit tab: its three buttons, the entry group with the
// name box, Gravar and Voltar, and the list.
struct ChildListForm {
    static ChildListForm build(QWidget *parent, const QString &title, RecordSet *children,
                               const QStringList &listFields, RecordGrid::Colours colours);

    QGroupBox *group = nullptr;
    QPushButton *btnIncluir = nullptr;
    QPushButton *btnAlterar = nullptr;
    QPushButton *btnExcluir = nullptr;
    QGroupBox *grpEntrada = nullptr;
    QLineEdit *edtNome = nullptr;
    QPushButton *btnGravar = nullptr;
    QPushButton *btnVoltar = nullptr;
    RecordGrid *grid = nullptr;
};

}  // namespace kalvero
