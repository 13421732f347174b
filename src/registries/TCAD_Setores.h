#pragma once

#include "ChildListForm.h"
#include "RegistryForm.h"

#include <QDialog>

class QLineEdit;

namespace kalvero {

class ChildListController;
class RegistryController;
class TUDMCadastro;
struct SessionState;

// The sector registry and each sector's responsible persons, on the registry
// module given; saved codes go to the session given.
class TCAD_Setores : public QDialog {
    Q_OBJECT
public:
    TCAD_Setores(TUDMCadastro &data, SessionState &session, QWidget *parent = nullptr);
    ~TCAD_Setores() override;

private:
    RegistryForm form;
    ChildListForm responsaveis;
    QLineEdit *edtConsultaNome;
    QLineEdit *edtCodigo;
    QLineEdit *edtNome;

    RegistryController *registry;
    ChildListController *responsibleList;
};

}  // namespace kalvero
