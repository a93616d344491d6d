#include "distribution_chart.h"
#include "form_layout.h"
#include "results_grid.h"
#include "tab_strip.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace bladetrace::test {
namespace {

FormMetrics designMetrics() {
    FormMetrics m;
    m.W = 10140;
    m.H = 7725;
    m.statusBarHeight = 375;
    m.tabHeaderHeight = 360;
    return m;
}

void expectRect(const TwipsRect& r, float left, float top, float width, float height) {
    EXPECT_FLOAT_EQ(r.left, left);
    EXPECT_FLOAT_EQ(r.top, top);
    EXPECT_FLOAT_EQ(r.width, width);
    EXPECT_FLOAT_EQ(r.height, height);
}

TEST(FormResizeLayout, DesignClientArea) {
    const FormLayout l = formResizeLayout(designMetrics());
    expectRect(l.TabStrip1, 120, 120, 6525, 7110);
    EXPECT_FLOAT_EQ(l.btnCopyTop, 6735);
    expectRect(l.grdTop, 240, 600, 6285, 6015);
    expectRect(l.picGroup2, 6765, 120, 3255, 7110);
}

TEST(FormResizeLayout, WideningMovesOnlyWhatFollowsTheWidth) {
    FormMetrics wide = designMetrics();
    wide.W += 1000;
    const FormLayout before = formResizeLayout(designMetrics());
    const FormLayout after = formResizeLayout(wide);
    EXPECT_FLOAT_EQ(after.TabStrip1.width, before.TabStrip1.width + 1000);
    EXPECT_FLOAT_EQ(after.grdTop.width, before.grdTop.width + 1000);
    EXPECT_FLOAT_EQ(after.picGroup2.left, before.picGroup2.left + 1000);
    EXPECT_FLOAT_EQ(after.picGroup2.width, before.picGroup2.width);
    EXPECT_FLOAT_EQ(after.btnCopyTop, before.btnCopyTop);
}

TEST(FormResizeLayout, TooSmallClientClampsSizesAtZero) {
    for (const auto& [W, H] : {std::pair{0.0f, 0.0f}, {3000.0f, 900.0f}, {3600.0f, 1200.0f}}) {
        FormMetrics m = designMetrics();
        m.W = W;
        m.H = H;
        const FormLayout l = formResizeLayout(m);
        for (const TwipsRect& r : {l.TabStrip1, l.grdTop, l.picGroup2}) {
            EXPECT_GE(r.width, 0) << W << "x" << H;
            EXPECT_GE(r.height, 0) << W << "x" << H;
        }
    }
}

TEST(UnitsCheckPlace, InsidePanel3AndCentredOnTheStatusBar) {
    const UnitsCheckPlace p = unitsCheckPlace({0, 7350, 10140, 375}, 6000, 195);
    EXPECT_FLOAT_EQ(p.left, 6080);
    EXPECT_FLOAT_EQ(p.top, 7350 + 90);
}

using MainWindowLayout = WindowTest;

TEST_F(MainWindowLayout, EveryResizeLaysTheWindowOutAgain) {
    const QRect tab = window->TabStrip1->geometry();
    const QRect grid = window->grdTop->geometry();
    const QRect panel = window->picGroup2->geometry();
    const QPoint copy = window->btnCopy->pos();
    // 1500 twips: a whole number of pixels.
    window->resize(window->width() + 100, window->height());
    EXPECT_EQ(window->TabStrip1->width(), tab.width() + 100);
    EXPECT_EQ(window->grdTop->width(), grid.width() + 100);
    EXPECT_EQ(window->ctlPitchGraph->geometry(), window->grdTop->geometry());
    EXPECT_EQ(window->ctlChordGraph->geometry(), window->grdTop->geometry());
    EXPECT_EQ(window->picGroup2->x(), panel.x() + 100);
    EXPECT_EQ(window->picGroup2->width(), panel.width());
    EXPECT_EQ(window->btnCopy->pos(), copy);
    EXPECT_EQ(window->picGroup2->geometry().right(), window->width() - 1 - 8);

    window->resize(window->width(), window->height() + 60);
    EXPECT_EQ(window->btnCopy->x(), copy.x());
    EXPECT_EQ(window->btnCopy->y(), copy.y() + 60);
    EXPECT_EQ(window->TabStrip1->height(), tab.height() + 60);

    window->resize(20, 20);
    EXPECT_GE(window->grdTop->height(), 0);
    EXPECT_GE(window->TabStrip1->width(), 0);
}

TEST_F(MainWindowLayout, TimerPutsTheUnitsBoxOverStatusPanel3) {
    window->resize(window->width() + 45, window->height() + 30);
    ASSERT_TRUE(window->theTimer->isActive());
    EXPECT_EQ(window->theTimer->interval(), 100);
    QTRY_VERIFY_WITH_TIMEOUT(!window->theTimer->isActive(), 1000);
    const QRect bar = window->StatusBar1->geometry();
    const int panel3 = window->statusPanel3->mapTo(window->StatusBar1, QPoint(0, 0)).x();
    // 80 twips in, round((x * 15 + 80) / 15); (375 - 195) / 2 = 90 twips down.
    EXPECT_EQ(window->chkUnits->x(), bar.x() + panel3 + 5);
    EXPECT_EQ(window->chkUnits->y(), bar.y() + 6);
    EXPECT_GE(window->statusPanel3->width() * 15, 2895 + 80);
}

} // namespace
} // namespace bladetrace::test
