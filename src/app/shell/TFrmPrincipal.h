#pragma once

#include "UpdateCheck.h"

#include <QMainWindow>
#include <QHash>
#include <array>
#include <functional>

class QDialog;
class QLabel;
class QMenu;
class QTabWidget;
class QToolButton;

namespace kalvero {

// The main window: runs the login when first shown, brings the unit's schema
// up to date, loads the entity's wording for the reports, and offers the
// commands, each opening one screen modally.
class TFrmPrincipal : public QMainWindow {
    Q_OBJECT
public:
    enum class Command {
        Protocolo,
        Movimentacao,
        Solicitante,
        Setor,
        Relatorios,
        Entidade,
        SuporteNorvale,
        Backup,
        Consulta
    };
    // Makes the screen of a command; the main window shows it modally and
    // destroys it. A command without its screen stays disabled.
    using ScreenFactory = std::function<QDialog *(QWidget *owner)>;

    explicit TFrmPrincipal(QWidget *parent = nullptr);
    ~TFrmPrincipal() override;

    void setScreen(Command command, ScreenFactory factory);
    QToolButton *commandButton(Command command) const { return m_buttons.value(command); }

    // Run when the login window shows; the standard update check by default,
    // which asks the site of these settings (the maker's unless changed) and
    // takes the program folder and version from the session.
    std::function<void()> loginUpdateCheck;
    UpdateCheck::Settings updateCheckSettings = UpdateCheck::standardSettings();

    // The start-up sequence of the first showing; false when the program ends.
    bool runStartup();
    bool startupDone() const { return m_startupDone; }

    // Brought to the front when the program is started a second time.
    void bringToFront();

    QLabel *RibbonCaption;
    QTabWidget *Ribbon;
    QToolButton *btnMenuAplicacao;
    QMenu *MenuAplicacao;
    QLabel *lblPrefeitura;
    QLabel *imgKalvero;
    std::array<QLabel *, 5> StatusPanels{};

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildRibbon();
    QWidget *buildCommandPage(const QList<QPair<QString, QList<Command>>> &groups);
    void runCommand(Command command);
    void placeCentreItems();

    QWidget *m_centre = nullptr;
    QHash<Command, QToolButton *> m_buttons;
    QHash<Command, ScreenFactory> m_screens;
    bool m_startupStarted = false;
    bool m_startupDone = false;
};

// The main window, while it exists.
extern TFrmPrincipal *FrmPrincipal;

}  // namespace kalvero
