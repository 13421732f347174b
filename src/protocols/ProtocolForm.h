#pragma once

#include "ProtocolListView.h"
#include "ProtocolSearch.h"

#include <QList>

class QComboBox;
class QDateEdit;
class QDialog;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class QWidget;

namespace kalvero {

class RecordGrid;
class RecordNavigator;
class TUDMCadastro;

// The widgets of the protocol window: the list tab "Protocolo" with its
// commands, searches and grid, and the tab "Manutenção" with one protocol and
// its documents. Boxes are bound to the registry module's record sets here;
// the window gives them their behaviour.
struct ProtocolForm {
    static ProtocolForm build(QDialog *window, TUDMCadastro &data);

    // Exactly one of the two tabs is visible, enabled and active.
    void showListTab() const;
    void showMaintenanceTab() const;
    // The protocol's own boxes and commands on the tab "Manutenção": its
    // fields, the registries on the way, the status and "&Gravar".
    QList<QWidget *> protocolBoxes() const;

    QTabWidget *PageControl = nullptr;
    QWidget *tabProtocolo = nullptr;
    QWidget *tabManutencao = nullptr;

    // Tab "Protocolo".
    QPushButton *btnNovo = nullptr;
    QPushButton *btnAlterar = nullptr;
    QPushButton *btnCancelarProtocolo = nullptr;
    QPushButton *btnSair = nullptr;
    ProtocolSearch search;
    QComboBox *cbStatusFiltro = nullptr;
    QPushButton *btnExibirTodos = nullptr;
    RecordNavigator *navigator = nullptr;
    QPushButton *btnComprovante = nullptr;
    ProtocolListView list;

    // Tab "Manutenção": the protocol.
    QLineEdit *edtIdProtocolo = nullptr;
    QLineEdit *edtAno = nullptr;
    QDateEdit *dtpEntrada = nullptr;
    QComboBox *cbStatus = nullptr;
    QLineEdit *edtSolicitante = nullptr;
    QComboBox *cbSolicitante = nullptr;
    QToolButton *btnIncluirSolicitante = nullptr;
    QLineEdit *edtAssunto = nullptr;
    QComboBox *cbAssunto = nullptr;
    QToolButton *btnIncluirAssunto = nullptr;
    QPlainTextEdit *mmDescricao = nullptr;
    QToolButton *btnEtiqueta = nullptr;

    // Tab "Manutenção": the documents.
    QPushButton *btnIncluirDocumento = nullptr;
    QPushButton *btnAlterarDocumento = nullptr;
    QPushButton *btnExcluirDocumento = nullptr;
    QGroupBox *grpManutencaoDocumentos = nullptr;
    QLineEdit *edtNomeDocumento = nullptr;
    QLineEdit *edtPaginas = nullptr;
    QPushButton *btnGravarDocumento = nullptr;
    QPushButton *btnVoltarDocumento = nullptr;
    RecordGrid *DBGrid2 = nullptr;
    QToolButton *btnEtiquetaDocumento = nullptr;
    QLineEdit *edtTotalDocumentos = nullptr;
    QLineEdit *edtTotalPaginas = nullptr;

    QPushButton *btnGravar = nullptr;
    QPushButton *btnSairManutencao = nullptr;
};

}  // namespace kalvero
