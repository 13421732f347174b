#pragma once

#include "registries/RegistryForm.h"

#include <QDialog>

class QButtonGroup;
class QLineEdit;
class QRadioButton;
class QToolButton;

namespace kalvero {

class AccessRegistryController;
class Tdm2;

// The operator registry: who may log in, with which password and access
// level, kept in the access database of the module given.
class TFrmCadSenha : public QDialog {
    Q_OBJECT
public:
    enum Level { Administrador = 1, Avancado = 2, Basico = 3 };

    explicit TFrmCadSenha(Tdm2 &access, QWidget *parent = nullptr);
    ~TFrmCadSenha() override;

private:
    RegistryForm form;
    QLineEdit *edtConsultaUsuario;
    QToolButton *btnLocalizar;

    QLineEdit *edtUsuario;
    QLineEdit *edtSenha;
    QLineEdit *edtNome;
    QButtonGroup *rgNivel;  // ids are the stored levels
    QRadioButton *rbAdministrador;
    QRadioButton *rbAvancado;
    QRadioButton *rbBasico;

    AccessRegistryController *registry;
};

}  // namespace kalvero
