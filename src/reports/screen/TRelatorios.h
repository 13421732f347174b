#pragma once

#include "ProtocolListReport.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QPushButton;

namespace kalvero {

class RecordSet;
class TUDMCadastro;
struct ProtocolListFilters;

// The report screen ("Relatórios"): the list of protocols chosen by status,
// requester, subject and entry period, previewed or printed. It loads the
// requester and subject lists into the registry module's record sets when
// it opens and closes them when it closes; the list itself runs on the
// report module's cdsRelProtocolo.
class TRelatorios : public QDialog {
    Q_OBJECT
public:
    TRelatorios(TUDMCadastro &data, TUDMRelatorio &reports, const SessionState &session, QWidget *parent = nullptr,
                ProtocolListReport::Presenter toPreview = ProtocolListReport::preview,
                ProtocolListReport::Presenter toPrinter = ProtocolListReport::print);
    ~TRelatorios() override;

    // The filters as the screen stands.
    ProtocolListFilters filters() const;

protected:
    void done(int result) override;

private:
    void buildWindow();
    QGroupBox *buildFilters();
    QGroupBox *buildPrinting();
    void runList(ProtocolListReport::Output output);
    void closeLists();

    TUDMCadastro &m_data;
    ProtocolListReport m_report;
    bool m_listsClosed = false;

    QGroupBox *GroupBox1;  // " Tipos de Relatórios "
    QCheckBox *CheckBox1;  // " 1 - Relação de Protocolos"
    QGroupBox *GroupBox2;  // " Filtros "
    QGroupBox *RadioGroup1;
    QButtonGroup *rgSituacao;
    QCheckBox *CheckBox2;  // requester
    QComboBox *DBLookupComboBox1;
    QCheckBox *CheckBox3;  // subject
    QComboBox *DBLookupComboBox2;
    QCheckBox *CheckBox4;  // period
    QDateEdit *DateTimePicker1;
    QDateEdit *DateTimePicker2;
    QGroupBox *GroupBox3;  // " Impressão "
    QLabel *Image1;
    QPushButton *BitBtn1;  // "&Visualizar"
    QPushButton *BitBtn2;  // "&Imprimir"
    QPushButton *BitBtn3;  // "&Fechar"
};

}  // namespace kalvero
