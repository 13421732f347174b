#include "ReportBand.h"

#include <algorithm>

namespace kalvero {

bool ReportBand::mayGrow() const {
    return std::any_of(m_controls.begin(), m_controls.end(), [](const auto &c) { return c->growsDownwards(); });
}

double ReportBand::layOut(const ReportContext &context, double left, double width, std::vector<PageItem> &items) const {
    // Controls from the top down, so that a control that grew is known
    // before the controls under it are placed.
    // Sorted again at each print: an event may move or add controls.
    std::vector<ReportControl *> &order = m_topDown;
    order.clear();
    for (const auto &c : m_controls)
        order.push_back(c.get());
    std::stable_sort(order.begin(), order.end(),
                     [](ReportControl *a, ReportControl *b) { return a->frame().top() < b->frame().top(); });

    struct Growth {
        double bottom;  // where the control ends as designed
        double extra;
    };
    std::vector<Growth> growths;
    double bandExtra = 0;
    for (ReportControl *c : order) {
        double shift = 0;
        for (const Growth &g : growths)
            if (c->frame().top() >= g.bottom - 1e-9)
                shift = std::max(shift, g.extra);
        const double used = c->layOut(context, QPointF(left, shift), items);
        const double extra = shift + used - c->frame().height();
        if (c->growsDownwards() && used > c->frame().height())
            growths.push_back({c->frame().bottom(), extra});
        bandExtra = std::max(bandExtra, extra);
    }
    const double height = m_height + bandExtra;
    if (m_lineTop)
        items.emplace_back(std::in_place_type<LineItem>, QPointF(left, 0), QPointF(left + width, 0), 0.2);
    if (m_lineBottom)
        items.emplace_back(std::in_place_type<LineItem>, QPointF(left, height), QPointF(left + width, height), 0.2);
    return height;
}

}  // namespace kalvero
