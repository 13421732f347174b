#pragma once

#include "ReportControl.h"

#include <functional>
#include <memory>
#include <vector>

namespace kalvero {

class ReportRun;

enum class BandKind { PageHeader, ColumnHeader, Detail, Summary, PageFooter };

// A horizontal strip of the printable width holding positioned controls.
class ReportBand {
public:
    ReportBand(BandKind kind, double height) : m_kind(kind), m_height(height) {}

    BandKind kind() const { return m_kind; }
    double height() const { return m_height; }
    void setHeight(double mm) { m_height = mm; }

    // Thin lines along the band's top and bottom edges.
    void setFrameLines(bool top, bool bottom) { m_lineTop = top, m_lineBottom = bottom; }
    bool frameLineTop() const { return m_lineTop; }
    bool frameLineBottom() const { return m_lineBottom; }

    // A detail band that starts a new page before each of its prints.
    void setNewPageBeforeEach(bool on) { m_newPage = on; }
    bool newPageBeforeEach() const { return m_newPage; }

    // Fires before each print of the band; it may change captions, load
    // pictures, fill memos and set barcode texts.
    std::function<void(ReportRun &)> onBeforePrint;

    template <class Control, class... Args>
    Control *add(Args &&...args) {
        auto control = std::make_unique<Control>(std::forward<Args>(args)...);
        Control *raw = control.get();
        m_controls.push_back(std::move(control));
        return raw;
    }
    const std::vector<std::unique_ptr<ReportControl>> &controls() const { return m_controls; }
    // Whether a control may make the band taller than its height.
    bool mayGrow() const;

    // Lays the band out with its top at y = 0 and its left at left, width
    // wide; gives its height on the page, grown by controls that grow.
    double layOut(const ReportContext &context, double left, double width, std::vector<PageItem> &items) const;

private:
    BandKind m_kind;
    double m_height;
    bool m_lineTop = false;
    bool m_lineBottom = false;
    bool m_newPage = false;
    std::vector<std::unique_ptr<ReportControl>> m_controls;
    mutable std::vector<ReportControl *> m_topDown;  // the controls by their top
};

}  // namespace kalvero
