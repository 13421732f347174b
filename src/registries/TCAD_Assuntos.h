#pragma once

#include "ChildListForm.h"
#include "RegistryForm.h"

#include <QDialog>

class QLineEdit;
class QToolButton;

namespace kalvero {

class ChildListController;
class RegistryController;
class TUDMCadastro;
struct SessionState;

// The subject registry and each subject's required documents, on the
// registry module given; a saved new subject's code goes to the session given.
class TCAD_Assuntos : public QDialog {
    Q_OBJECT
public:
    TCAD_Assuntos(TUDMCadastro &data, SessionState &session, QWidget *parent = nullptr);
    ~TCAD_Assuntos() override;

private:
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
