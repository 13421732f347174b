#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace kalvero {

class ReportLayout;
class TUDMRelatorio;
struct ProtocolListFilters;
struct SessionState;

// Runs the list of protocols for the report screen, without widgets of its
// own: opens cdsRelProtocolo on the filters' statement, hands the list
// layout to the preview or the printer when anything matches and warns when
// nothing does, and closes the dataset again whatever happened.
class ProtocolListReport {
public:
    static const QString NothingFound;  // the warning, caption "Atenção"

    // How a layout reaches the operator. The defaults are the modal preview
    // and the system's printer with the engine's progress window; tests hand
    // in their own.
    using Presenter = std::function<void(ReportLayout &layout, QWidget *screen)>;
    static void preview(ReportLayout &layout, QWidget *screen);
    static void print(ReportLayout &layout, QWidget *screen);

    enum class Output { Preview, Printer };

    ProtocolListReport(TUDMRelatorio &reports, const SessionState &session, Presenter toPreview = preview,
                       Presenter toPrinter = print);

    // Gives how many protocols were listed; 0 after the warning. Database
    // failures are thrown.
    int run(const ProtocolListFilters &filters, Output output, QWidget *screen);

private:
    TUDMRelatorio &m_reports;
    const SessionState &m_session;
    Presenter m_toPreview;
    Presenter m_toPrinter;
};

}  // namespace kalvero
