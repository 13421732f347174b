#pragma once

#include "registries/RegistryForm.h"

#include <QDialog>

class QLineEdit;
class QToolButton;

namespace kalvero {

class AccessRegistryController;

// ZeroPad(7, 2) is "07", ZeroPad(100, 2) is "00": the number written with
// zeros in front, keeping its last width characters.
QString ZeroPad(int number, int width);

// The work-unit registry: the units whose registers this install keeps, and
// for a new unit its folders and its database.
class TFrmCadUnidadeTrabalho : public QDialog {
    Q_OBJECT
public:
    explicit TFrmCadUnidadeTrabalho(QWidget *parent = nullptr);
    ~TFrmCadUnidadeTrabalho() override;

    RegistryForm form;
    QLineEdit *edtConsultaCodigo;
    QToolButton *btnLocalizar;

    QLineEdit *edtCodigo;
    QLineEdit *edtAno;  // the year of creation: only a backup subfolder's name
    QLineEdit *edtPrefeitura;
    QLineEdit *edtCaminho;
    QLineEdit *edtMunicipio;

    AccessRegistryController *registry;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static QString proposedCode();
    static QString unitFolder(const QString &code);
    void prepareDisk();
};

}  // namespace kalvero
