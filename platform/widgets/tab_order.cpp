#include "platform/widgets/tab_order.h"

#include <QWidget>

#include <algorithm>

namespace talvex {

namespace {

// Controls whose tops (or lefts) differ by less than this stand in one row (or column).
constexpr int kSameLineTwips = 240;

struct Placed {
    QWidget* control;
    QRect box;  // in the form's coordinates
};

std::vector<Placed> FocusableControls(QWidget& form)
{
    std::vector<Placed> controls;
    for (QWidget* w : form.findChildren<QWidget*>()) {
        if (w->focusPolicy() == Qt::NoFocus || w->isWindow())
            continue;
        // The parts of a control (a list's scroll bars) go with the control.
        bool inner = false;
        for (QWidget* up = w->parentWidget(); up != nullptr && up != &form; up = up->parentWidget())
            inner = inner || up->focusPolicy() != Qt::NoFocus;
        if (!inner)
            controls.push_back({w, QRect(w->mapTo(&form, QPoint(0, 0)), w->size())});
    }
    return controls;
}

void SortForReading(std::vector<Placed>& controls, TabRegion::Reading reading)
{
    const int line = TwipsToPixels(kSameLineTwips);
    const bool columns = reading == TabRegion::Reading::Columns;
    auto across = [columns](const Placed& p) { return columns ? p.box.left() : p.box.top(); };
    auto along = [columns](const Placed& p) { return columns ? p.box.top() : p.box.left(); };
    std::sort(controls.begin(), controls.end(), [&](const Placed& a, const Placed& b) { return across(a) < across(b); });
    // Lines start at the first control not within `line` of the previous line's start.
    std::vector<std::pair<int, Placed>> lined;
    int lineStart = 0;
    int index = -1;
    for (const Placed& p : controls) {
        if (index < 0 || across(p) - lineStart >= line) {
            lineStart = across(p);
            ++index;
        }
        lined.emplace_back(index, p);
    }
    std::stable_sort(lined.begin(), lined.end(), [&](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : along(a.second) < along(b.second);
    });
    for (std::size_t i = 0; i < lined.size(); ++i)
        controls[i] = lined[i].second;
}

}  // namespace

void OrderTabs(QWidget& form, const std::vector<TabRegion>& regions)
{
    std::vector<std::vector<Placed>> parts(regions.size() + 1);
    for (const Placed& p : FocusableControls(form)) {
        std::size_t at = regions.size();
        for (std::size_t r = 0; r < regions.size() && at == regions.size(); ++r) {
            if (Place(regions[r].area).contains(p.box.center()))
                at = r;
        }
        parts[at].push_back(p);
    }
    std::vector<QWidget*> chain;
    for (std::size_t r = 0; r < parts.size(); ++r) {
        SortForReading(parts[r], r < regions.size() ? regions[r].reading : TabRegion::Reading::Rows);
        for (const Placed& p : parts[r])
            chain.push_back(p.control);
    }
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

}  // namespace talvex
