#pragma once

#include "registries/RegistryForm.h"

#include <QDialog>

class QLineEdit;
class QToolButton;

namespace kalvero {

class AccessRegistryController;
class RecordSet;
class Tdm2;
struct SessionState;

// ZeroPad(7, 2) is "07", ZeroPad(100, 2) is "00": the number written with
// zeros in front, keeping its last width characters.
QString ZeroPad(int number, int width);

// The work-unit registry: the units whose registers this install keeps, in
// the access database of the module given, and for a new unit its folders and
// its database in the program folder of the session given.
class TFrmCadUnidadeTrabalho : public QDialog {
    Q_OBJECT
public:
    TFrmCadUnidadeTrabalho(Tdm2 &access, const SessionState &session, QWidget *parent = nullptr);
    ~TFrmCadUnidadeTrabalho() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString proposedCode() const;
    QString unitFolder(const QString &code) const;
    void prepareDisk();

    RecordSet &m_units;
    const SessionState &m_session;
    RegistryForm form;
    QLineEdit *edtConsultaCodigo;
    QToolButton *btnLocalizar;

    QLineEdit *edtCodigo;
    QLineEdit *edtAno;  // the year of creation: only a backup subfolder's name
    QLineEdit *edtPrefeitura;
    QLineEdit *edtCaminho;
    QLineEdit *edtMunicipio;

    AccessRegistryController *registry;
};

}  // namespace kalvero
