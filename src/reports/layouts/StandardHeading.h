#pragma once

#include <QString>

namespace kalvero {

class ReportBand;
class ReportImage;
class ReportLabel;
struct SessionState;

// The heading that the receipts, the protocol list and the movement report
// print in the first 20 mm of their page header: the coat of arms, the state,
// system, unit and title lines, today's date and the page number.
class StandardHeading {
public:
    static constexpr double Height = 20.0;
    static constexpr double LetterRightEdge = 193.1;  // of the date and the page number

    // Places the heading's controls at the top of the band; the date and the
    // page number end at the right edge given, the date's top differs a
    // little between the layouts.
    explicit StandardHeading(ReportBand &pageHeader, double rightEdge = LetterRightEdge, double dateTop = 4.5);

    // Sets the lines from the session, before the page header prints. The
    // coat of arms is read from Config/prefeitura.bmp under the program's
    // folder once per layout; a missing or unreadable file leaves its frame
    // empty and the rest prints.
    void fill(const SessionState &session, const QString &title);

    ReportLabel *titleLine() const { return m_title; }

private:
    ReportImage *m_emblem;
    ReportLabel *m_state;
    ReportLabel *m_unit;
    ReportLabel *m_title;
    bool m_emblemLoaded = false;
};

}  // namespace kalvero
