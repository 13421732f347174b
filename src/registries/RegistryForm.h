#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

class QDialog;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QVBoxLayout;
class QWidget;

namespace kalvero {

class RecordGrid;
class RecordNavigator;
class RecordSet;

// The widgets every register window has: the page control with the browse
// tab (commands, search group, navigator, list) and the edit tab (data group,
// Gravar and Cancelar). A window builds them once and fills in its own boxes.
struct RegistryForm {
    struct Settings {
        QString windowTitle;
        QString browseCaption;
        RecordSet *records = nullptr;
        QStringList listFields;
        bool zebraList = true;
        bool requiredNote = false;
        QSize size;
        // The access-database registries differ in these.
        QString editCaption = QStringLiteral("Manutenção");
        QString saveCaption = QStringLiteral("&Gravar");
        QString searchCaption = QStringLiteral("Consultar por... ");
        bool closeBox = true;  // without it the window is left through "&Sair"
    };

    static RegistryForm build(QDialog *window, const Settings &settings);

    // Exactly one of the two tabs is visible, enabled and active.
    void showBrowseTab() const;
    void showEditTab() const;

    QTabWidget *PageGeral = nullptr;
    QWidget *tabConsulta = nullptr;    // browse tab
    QWidget *tabManutencao = nullptr;  // edit tab

    QPushButton *btnIncluir = nullptr;
    QPushButton *btnAlterar = nullptr;
    QPushButton *btnExcluir = nullptr;
    QPushButton *btnSair = nullptr;
    QGroupBox *grpConsultar = nullptr;
    QGridLayout *searchLayout = nullptr;
    RecordNavigator *navigator = nullptr;
    RecordGrid *grid = nullptr;

    QGroupBox *grpDados = nullptr;
    QGridLayout *dataLayout = nullptr;
    QVBoxLayout *editLayout = nullptr;  // data group, room for a child list, bottom group
    QPushButton *btnGravar = nullptr;
    QPushButton *btnCancelar = nullptr;
    QLabel *lblObrigatorias = nullptr;
};

}  // namespace kalvero
