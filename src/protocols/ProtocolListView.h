#pragma once

class QLineEdit;
class QVBoxLayout;
class QWidget;

namespace kalvero {

class RecordGrid;
class RecordSet;

// The list of protocols that the protocol and the movement screens show: the
// zebra grid with number, year, entry date, subject and requester, and
// "Total de Protocolos:" under it.
struct ProtocolListView {
    // Adds both to the column of the tab given.
    static ProtocolListView build(QWidget *tab, QVBoxLayout *column, RecordSet &protocols);

    // The total shows how many protocols the list holds now.
    void showTotal(const RecordSet &protocols) const;

    RecordGrid *DBGrid1 = nullptr;
    QLineEdit *edtTotalProtocolos = nullptr;
};

}  // namespace kalvero
