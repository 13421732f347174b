#pragma once

#include <functional>

class QWidget;

namespace kalvero {

// What the protocol screen prints, filled in by the printing code. Each
// command takes the protocol under the list's cursor (and, for the document
// labels, the document under the documents list's cursor) and gets the screen
// it is run from. A command left empty does nothing.
struct ProtocolPrinting {
    using Command = std::function<void(QWidget *screen)>;

    Command deliveryReceipt;  // "Comprovante de Entrega" on the list, with its checks
    Command savedReceipt;     // the receipt previewed at the save that follows a new protocol's first
    Command protocolLabel;
    Command documentLabels;
};

}  // namespace kalvero
