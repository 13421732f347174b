#pragma once

#include "ReportLabel.h"

namespace kalvero {

// "Data : " and today's date, or "Página : " and the page number.
class ReportSystemData : public ReportLabel {
public:
    enum class Kind { Date, PageNumber };

    ReportSystemData(Kind kind, double left, double top, double width, double height);
    Kind kind() const { return m_kind; }

protected:
    QString textToPrint(const ReportContext &context) const override;

private:
    Kind m_kind;
};

}  // namespace kalvero
