#pragma once

#include "ChildListForm.h"
#include "RegistryForm.h"

#include <QDialog>

class QLineEdit;

namespace kalvero {

class ChildListController;
class RegistryController;

// The sector registry and each sector's responsible persons.
class TCAD_Setores : public QDialog {
    Q_OBJECT
public:
    explicit TCAD_Setores(QWidget *parent = nullptr);
    ~TCAD_Setores() override;

    RegistryForm form;
    ChildListForm responsaveis;
    QLineEdit *edtConsultaNome;
    QLineEdit *edtCodigo;
    QLineEdit *edtNome;

    RegistryController *registry;
    ChildListController *responsibleList;
};

}  // namespace kalvero
