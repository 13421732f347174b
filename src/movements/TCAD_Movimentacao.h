#pragma once

#include "MovementForm.h"
#include "MovementStore.h"
#include "protocols/ProtocolStore.h"
#include "ui/MessageService.h"

#include <QDialog>
#include <QTime>

#include <functional>
#include <optional>

namespace kalvero {

class RecordSet;
class TUDMCadastro;
struct SessionState;

// The movement register: the active protocols with their period filter and
// search, and the page of one protocol with its path through the sectors,
// the entry of a new delivery and the cancellation of a wrong one. Every
// data step goes through the stores on the registry module given; the sector
// registry opened on the way hands its codes over through the session given;
// the history is printed by the command given.
class TCAD_Movimentacao : public QDialog {
    Q_OBJECT
public:
    using HistoryPrint = std::function<void(const QString &number, const QString &year, QWidget *screen)>;

    TCAD_Movimentacao(TUDMCadastro &data, SessionState &session, HistoryPrint printHistory = {},
                      QWidget *parent = nullptr);
    ~TCAD_Movimentacao() override;

    // The time box's text as a time of day: hours (one or two digits) and
    // two digits of minutes, within a day; nothing otherwise.
    static std::optional<QTime> timeOfDay(const QString &digits);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Tab "Protocolo".
    void openScreen();
    void filterPeriod();
    void exibirTodos();
    void showProtocolTotal();
    void movimentar();

    // Tab "Manutenção".
    void showMovementTotal();
    void browse();
    void incluir();
    void sectorLeft();
    void enableResponsibleBox();
    // The persons of the movement's sector (none without one), the box
    // enabled when there are any.
    void showResponsiblesOfTheSector();
    void registerOnTheWay(int SessionState::*handoff, const QString &field, const std::function<void()> &reload);
    void incluirSetor();
    void incluirResponsavel();
    void deliveryDateChanged();
    bool entryValid() const;
    void gravar();
    void cancelarEntrada();
    void cancelarMovimentacao();
    void imprimir();
    void sairManutencao();

    void message(const QString &text, MessageService::Icon icon);
    void closeRecordSets();

    TUDMCadastro &m_data;
    SessionState &m_session;
    HistoryPrint m_printHistory;
    ProtocolStore m_protocols;
    MovementStore m_movements;
    MovementForm form;
    bool m_settingDate = false;  // the date is set, not chosen
};

}  // namespace kalvero
