#pragma once

class QDateEdit;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace kalvero {

class ProtocolStore;

// The group " Consultas " over a protocol list, as the protocol and the
// movement screens have it: "Por Número" with the number, the year and the
// find button, and the period "De" ... "até" with the filter button. The
// number is completed to five digits when the box is left; the find looks
// at the rows loaded and says when it finds nothing.
struct ProtocolSearch {
    static ProtocolSearch build(QWidget *parent);

    // Pads the number on leaving and finds at the find button, on the
    // store's list; messages go to the screen.
    void connect(QWidget *screen, ProtocolStore &store) const;
    // The current year in the year box, the current month as the period.
    void showCurrentYearAndMonth() const;
    void find(QWidget *screen, ProtocolStore &store) const;

    QGroupBox *group = nullptr;
    QGridLayout *grid = nullptr;       // a screen adds its own rows below
    QHBoxLayout *periodRow = nullptr;  // and its own buttons after the filter
    QLineEdit *edtConsultaNumero = nullptr;
    QLineEdit *edtConsultaAno = nullptr;
    QPushButton *btnLocalizar = nullptr;
    QDateEdit *dtpDe = nullptr;
    QDateEdit *dtpAte = nullptr;
    QPushButton *btnFiltrar = nullptr;
};

}  // namespace kalvero
