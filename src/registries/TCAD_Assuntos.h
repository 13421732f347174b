#pragma once

#include "ChildListForm.h"
#include "RegistryForm.h"

#include <QDialog>

class QLineEdit;
class QToolButton;

namespace kalvero {

class ChildListController;
class RegistryController;

// The subject registry and each subject's required documents.
class TCAD_Assuntos : public QDialog {
    Q_OBJECT
public:
    explicit TCAD_Assuntos(QWidget *parent = nullptr);
    ~TCAD_Assuntos() override;

    RegistryForm form;
    ChildListForm documentos;
    QLineEdit *edtConsultaCodigo;
    QToolButton *btnLocalizar;
    QLineEdit *edtConsultaDescricao;
    QLineEdit *edtCodigo;
    QLineEdit *edtDescricao;

    RegistryController *registry;
    ChildListController *documentList;
};

}  // namespace kalvero
