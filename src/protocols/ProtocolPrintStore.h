#pragma once

#include <QString>
#include <QVariant>

#include <functional>

namespace kalvero {

class TUDMRelatorio;

// The data steps of the protocol's receipts and labels, without widgets: each
// opens the report module's dataset that its layout prints. The label runs
// replace the operator's earlier label rows of their kind in TBREL_AUX.
// Failures are thrown as the program's Failure.
class ProtocolPrintStore {
public:
    // TIPOREL of the label rows.
    enum class LabelKind { PerDocument = 1, Grouped = 2 };

    explicit ProtocolPrintStore(TUDMRelatorio &reports);

    // cdsComprovante: the protocol with its requester and subject, one row
    // per document in document order.
    void loadReceiptWithDocuments(const QString &number, const QString &year);
    // cdsComprovanteSemDocumento: the protocol with its requester and subject.
    void loadReceiptWithoutDocuments(const QString &number, const QString &year);
    // cdsEtiquetaProtocolo: the protocol with its subject.
    void loadProtocolLabel(const QString &number, const QString &year);

    // Asked with the number of labels a run would make, before anything is
    // written; false leaves the earlier rows and the run gives Declined.
    using RunCheck = std::function<bool(int labels)>;
    static constexpr int Declined = -1;

    // One label row per page of the document (its PAGINA; none when empty),
    // showing its name: the operator's earlier per-document rows are replaced
    // in the same transaction, so that a failure leaves them as they were.
    // cdsTBRel_AUX is left open on the operator's new rows, in page order.
    // Gives how many rows were written.
    int prepareDocumentLabels(const QString &number, const QString &year, int document, const QString &operatorCode,
                              const RunCheck &mayWrite = {});
    // The same for the pages of all the protocol's documents together,
    // numbered across them, without a document name.
    int prepareGroupedLabels(const QString &number, const QString &year, const QString &operatorCode,
                             const RunCheck &mayWrite = {});

private:
    struct LabelRows {
        QString number;
        QString year;
        QVariant entryDate;
        QString documentName;
        int pages = 0;
    };
    int writeLabelRows(LabelKind kind, const QString &operatorCode, const LabelRows &rows, const RunCheck &mayWrite);

    TUDMRelatorio &m_reports;
};

}  // namespace kalvero
