#include "StandardHeading.h"

#include "data/ProgramPaths.h"
#include "data/session/SessionState.h"
#include "reports/ReportBand.h"
#include "reports/ReportFonts.h"
#include "reports/ReportImage.h"
#include "reports/ReportLabel.h"
#include "reports/ReportSystemData.h"

namespace kalvero {

namespace {

constexpr double LinesLeft = 20.4;
constexpr double LinesWidth = 130.0;  // up to where the date and page begin
constexpr double LineHeight = 3.6;

ReportLabel *line(ReportBand &band, double top, const QString &text = QString()) {
    auto *label = band.add<ReportLabel>(LinesLeft, top, LinesWidth, LineHeight, text);
    label->setFont(ReportFonts::arial(8, true));
    return label;
}

void rightAligned(ReportBand &band, ReportSystemData::Kind kind, double rightEdge, double top) {
    constexpr double width = 40.0;
    auto *data = band.add<ReportSystemData>(kind, rightEdge - width, top, width, LineHeight);
    data->setAlignment(Qt::AlignRight);
    data->setFont(ReportFonts::arial(8, true));
}

}  // namespace

StandardHeading::StandardHeading(ReportBand &band, double rightEdge, double dateTop)
    : m_emblem(band.add<ReportImage>(1.3, 1.1, 18.8, 18.8)) {
    m_state = line(band, 2.6);
    line(band, 6.6, QStringLiteral("SISTEMA DE GERENCIAMENTO ELETRÔNICO DE PROTOCOLOS"));
    m_unit = line(band, 10.6);
    m_title = line(band, 14.8);
    rightAligned(band, ReportSystemData::Kind::Date, rightEdge, dateTop);
    rightAligned(band, ReportSystemData::Kind::PageNumber, rightEdge, 13.8);
}

void StandardHeading::fill(const SessionState &session, const QString &title) {
    if (!m_emblemLoaded) {
        m_emblemLoaded = true;
        m_emblem->loadFromFile(ProgramPaths::emblemFile(session.ProgramFolder));
    }
    m_state->setCaption(session.StateText);
    m_unit->setCaption(session.unitNameForReports());
    m_title->setCaption(title);
}

}  // namespace kalvero
