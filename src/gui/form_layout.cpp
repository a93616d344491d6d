#include "form_layout.h"

#include <algorithm>

namespace bladetrace {
namespace {

constexpr float kMargin = 120;
constexpr float kChkUnitsInset = 80;

float size(float value) {
    return std::max(value, 0.0f);
}

} // namespace

FormLayout formResizeLayout(const FormMetrics& m) {
    FormLayout l;
    TwipsRect& tab = l.TabStrip1;
    tab.top = kMargin;
    tab.left = kMargin;
    tab.height = size(m.H - kMargin - tab.top - m.statusBarHeight);
    tab.width = size(m.W - 3 * kMargin - m.picGroup2Width);

    l.btnCopyTop = tab.top + tab.height - m.btnCopyHeight - kMargin;

    TwipsRect& grid = l.grdTop;
    grid.top = tab.top + m.tabHeaderHeight + kMargin;
    grid.left = tab.left + kMargin;
    grid.width = size(tab.width - 2 * kMargin);
    grid.height = size(tab.height - m.tabHeaderHeight - m.btnCopyHeight - 3 * kMargin);

    l.picGroup2.top = tab.top;
    l.picGroup2.left = m.W - kMargin - m.picGroup2Width;
    l.picGroup2.width = m.picGroup2Width;
    l.picGroup2.height = tab.height;
    return l;
}

UnitsCheckPlace unitsCheckPlace(const TwipsRect& statusBar, float panel3Left,
                                float chkUnitsHeight) {
    return {statusBar.left + panel3Left + kChkUnitsInset,
            statusBar.top + (statusBar.height - chkUnitsHeight) / 2};
}

} // namespace bladetrace
