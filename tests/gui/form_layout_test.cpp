#include "form_layout.h"
#include "window_fixture.h"

#include <QTimer>

namespace bladetrace::test {
namespace {

FormMetrics designMetrics(float W = 10140, float H = 7725) {
    FormMetrics m;
    m.W = W;
    m.H = H;
    m.statusBarHeight = 375;
    m.tabHeaderHeight = 360;
    return m;
}

TEST(FormResizeLayout, DesignClientAreaAndTooSmallOnesWithoutNegativeSizes) {
    const FormLayout l = formResizeLayout(designMetrics());
    const auto rect = [](const TwipsRect& r) { return QRectF(r.left, r.top, r.width, r.height); };
    EXPECT_EQ(rect(l.TabStrip1), QRectF(120, 120, 6525, 7110));
    EXPECT_EQ(rect(l.grdTop), QRectF(240, 600, 6285, 6015));
    EXPECT_EQ(rect(l.picGroup2), QRectF(6765, 120, 3255, 7110));
    EXPECT_FLOAT_EQ(l.btnCopyTop, 6735);
    for (const auto& [W, H] : {std::pair{0.0f, 0.0f}, {3000.0f, 900.0f}, {3600.0f, 1200.0f}}) {
        const FormLayout small = formResizeLayout(designMetrics(W, H));
        for (const TwipsRect& r : {small.TabStrip1, small.grdTop, small.picGroup2})
            EXPECT_TRUE(r.width >= 0 && r.height >= 0) << W << "x" << H;
    }
}

using MainWindowLayout = WindowTest;

// Wider, the tabs and pages grow and the panel moves; higher, they grow and Copy moves down.
TEST_F(MainWindowLayout, EveryResizeLaysTheWindowOutAgain) {
    const QRect tab = window->TabStrip1->geometry();
    const QRect grid = window->grdTop->geometry();
    const QRect panel = window->picGroup2->geometry();
    const QPoint copy = window->btnCopy->pos();
    // 1500 and 900 twips: whole numbers of pixels.
    window->resize(window->width() + 100, window->height() + 60);
    EXPECT_EQ(window->TabStrip1->size(), tab.size() + QSize(100, 60));
    EXPECT_EQ(window->grdTop->size(), grid.size() + QSize(100, 60));
    EXPECT_EQ(window->ctlPitchGraph->geometry(), window->grdTop->geometry());
    EXPECT_EQ(window->ctlChordGraph->geometry(), window->grdTop->geometry());
    EXPECT_EQ(window->picGroup2->geometry(), panel.translated(100, 0).adjusted(0, 0, 0, 60));
    EXPECT_EQ(window->picGroup2->geometry().right(), window->width() - 1 - 8);
    EXPECT_EQ(window->btnCopy->pos(), copy + QPoint(0, 60));
}

TEST_F(MainWindowLayout, TimerPutsTheUnitsBoxOverStatusPanel3) {
    window->resize(window->width() + 45, window->height() + 30);
    ASSERT_TRUE(window->theTimer->isActive());
    EXPECT_EQ(window->theTimer->interval(), 100);
    QTRY_VERIFY_WITH_TIMEOUT(!window->theTimer->isActive(), 1000);
    const QRect bar = window->StatusBar1->geometry();
    const int panel3 = window->statusPanel3->mapTo(window->StatusBar1, QPoint(0, 0)).x();
    // 80 twips in, round((x * 15 + 80) / 15); (375 - 195) / 2 = 90 twips down.
    EXPECT_EQ(window->chkUnits->pos(), bar.topLeft() + QPoint(panel3 + 5, 6));
    EXPECT_GE(window->statusPanel3->width() * 15, 2895 + 80);
}

} // namespace
} // namespace bladetrace::test
