#pragma once

#include "protocols/ProtocolListView.h"
#include "protocols/ProtocolSearch.h"

class QComboBox;
class QDateEdit;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class QWidget;

namespace kalvero {

class MaskedDigitsEdit;
class MovementPagePlacer;
class RecordGrid;
class RecordNavigator;
class TUDMCadastro;

// The widgets of the movement window: the tab "Protocolo" where the protocol
// is chosen, and the tab "Manutenção" with the chosen protocol, its history
// and the entry of a new movement. Boxes are bound to the registry module's
// record sets here; the window gives them their behaviour.
struct MovementForm {
    static MovementForm build(QDialog *window, TUDMCadastro &data);

    // Exactly one of the two tabs is visible, enabled and active.
    void showListTab() const;
    void showMaintenanceTab() const;
    // The history tall under the commands, the entry group hidden.
    void showBrowseLayout() const;
    // The entry group where the history was, the history a strip below it.
    void showEntryLayout() const;

    // Where the history and the entry group sit on the tab, in pixels from
    // the tab's top edge.
    static constexpr int PageTop = 187;
    static constexpr int BrowseHistoryHeight = 310;
    static constexpr int EntryHeight = 218;
    static constexpr int EntryHistoryTop = 411;
    static constexpr int EntryHistoryHeight = 86;

    QTabWidget *PageControl = nullptr;
    QWidget *tabProtocolo = nullptr;
    QWidget *tabManutencao = nullptr;

    // Tab "Protocolo".
    QPushButton *btnMovimentar = nullptr;
    QPushButton *btnSair = nullptr;
    ProtocolSearch search;
    QPushButton *btnExibirTodos = nullptr;
    RecordNavigator *navigator = nullptr;
    ProtocolListView list;

    // Tab "Manutenção": the protocol and the commands.
    QLineEdit *edtNumero = nullptr;
    QLineEdit *edtAno = nullptr;
    QLineEdit *edtDataEntrada = nullptr;
    QLineEdit *edtSolicitante = nullptr;
    QLineEdit *edtAssunto = nullptr;
    QPushButton *btnIncluir = nullptr;
    QPushButton *btnCancelar = nullptr;
    QPushButton *btnImprimir = nullptr;

    // Tab "Manutenção": the new movement.
    QGroupBox *grpManutencao = nullptr;
    QComboBox *cbSituacao = nullptr;
    QLineEdit *edtSetor = nullptr;
    QComboBox *cbSetor = nullptr;
    QToolButton *btnIncluirSetor = nullptr;
    QDateEdit *dtpData = nullptr;
    MaskedDigitsEdit *edtHora = nullptr;
    QComboBox *cbResponsavel = nullptr;
    QToolButton *btnIncluirResponsavel = nullptr;
    QPlainTextEdit *mmObservacao = nullptr;
    QPushButton *btnGravar = nullptr;
    QPushButton *btnCancelarEntrada = nullptr;

    // Tab "Manutenção": the history.
    QGroupBox *grpHistorico = nullptr;
    RecordGrid *DBGrid2 = nullptr;
    QLabel *lblLegenda = nullptr;
    QLineEdit *edtTotalMovimentacoes = nullptr;

    QPushButton *btnGravarRodape = nullptr;  // not shown: the entry group has its own
    QPushButton *btnSairManutencao = nullptr;

    MovementPagePlacer *placer = nullptr;  // places the tab's groups
};

}  // namespace kalvero
