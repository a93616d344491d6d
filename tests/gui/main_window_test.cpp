#include "form_layout.h"
#include "prepare/threshold_suggestion.h"
#include "scan/picture_loader.h"
#include "scan_preview.h"
#include "window_fixture.h"

#include <QSpinBox>
#include <QTabBar>
#include <QTimer>

namespace bladetrace::test {
namespace {

using MainWindow = WindowTest;

QStringList shortened(const TabStrip& tabs) {
    QStringList cut;
    for (int i = 0; i < tabs.tabBar()->count(); ++i)
        if (tabs.shownCaption(i) != tabs.caption(i))
            cut.append(tabs.shownCaption(i));
    return cut;
}

TEST_F(MainWindow, StartsIdleEachTabShowsItsPageAloneTheThresholdFollowsTheSlider) {
    const QList<QWidget*> pages{window->grdTop, window->ctlChordGraph, window->ctlBetaGraph,
                                window->ctlPitchGraph};
    const QStringList keys{"SHEET", "CHORD", "BETA", "PITCH"};
    for (int tab : {0, 2, 3, 1, 0}) { // the sheet first, as it starts
        QTest::mouseClick(window->TabStrip1->tabBar(), Qt::LeftButton, {},
                          window->TabStrip1->tabBar()->tabRect(tab).center());
        EXPECT_EQ(window->TabStrip1->selectedKey(), keys[tab]);
        for (int page = 0; page < pages.size(); ++page)
            EXPECT_EQ(pages[page]->isVisible(), page == tab) << "tab " << tab << " page " << page;
        EXPECT_TRUE(window->btnCopy->isVisible());
    }
    EXPECT_FALSE(window->picTop->isVisible());
    EXPECT_EQ(window->txtRootThickness->text(), "20");
    EXPECT_EQ(window->txtTipThickness->text(), "10");
    EXPECT_EQ(window->chkUnits->text(), "use ye olde units (e.g. furlongs)");
    EXPECT_EQ(window->btnGo->toolTip(), "Start the conversion.");
    EXPECT_EQ(window->imgPreview[1]->toolTip(), "Preview Area for Side View.");

    // The threshold number follows the slider both ways, and Auto sets both.
    window->sldThreshold->setValue(200);
    EXPECT_EQ(window->txtThreshold->text(), "200");
    window->txtThreshold->selectAll();
    QTest::keyClicks(window->txtThreshold, "87");
    // Typing does not stop a run; only Escape does.
    EXPECT_EQ(window->sldThreshold->value(), 87);
    EXPECT_FALSE(window->bAbort);

    const qint32 suggested = suggestThreshold(loadPicture(window->txtTopFile->text()),
                                              loadPicture(window->txtSideFile->text()));
    ASSERT_NE(suggested, 87);
    window->btnAuto->click();
    EXPECT_EQ(window->sldThreshold->value(), suggested);

    // A view that cannot be loaded: the error report, and the slider as it was.
    window->sldThreshold->setValue(87);
    window->txtSideFile->setText(file("missing.bmp"));
    window->btnAuto->click();
    EXPECT_EQ(window->sldThreshold->value(), 87);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith("Error53:")) << dialogs.messages[0].text;
    EXPECT_TRUE(dialogs.messages[0].text.contains("Issued by btnAuto_Click()"))
        << dialogs.messages[0].text;
}

// Client width and height, status bar and tab header heights, in twips.
TEST(FormResizeLayout, DesignClientAreaAndTooSmallOnesWithoutNegativeSizes) {
    const FormLayout l = formResizeLayout({10140, 7725, 375, 360});
    const auto rect = [](const TwipsRect& r) { return QRectF(r.left, r.top, r.width, r.height); };
    EXPECT_EQ(rect(l.TabStrip1), QRectF(120, 120, 6525, 7110));
    EXPECT_EQ(rect(l.grdTop), QRectF(240, 600, 6285, 6015));
    EXPECT_EQ(rect(l.picGroup2), QRectF(6765, 120, 3255, 7110));
    EXPECT_FLOAT_EQ(l.btnCopyTop, 6735);
    // No client area at all: every size that is cut, cut to zero.
    const FormLayout none = formResizeLayout({0, 0, 375, 360});
    EXPECT_EQ(rect(none.TabStrip1).size(), QSizeF(0, 0));
    EXPECT_EQ(rect(none.grdTop).size(), QSizeF(0, 0));
    EXPECT_EQ(rect(none.picGroup2).size(), QSizeF(3255, 0));
}

// Wider, the tabs and pages grow and the panel moves; higher, they grow and Copy moves down.
// Then the timer puts the units box over status panel 3. In German the panel's captions that fit
// keep the panel's size; one that must shrink sits lower, so that its baseline stays level with
// its neighbours' in their boxes. Back in English every caption is as it was.
TEST_F(MainWindow, EveryResizeLaysTheWindowOutAgainSwitchLanguageRewritesTheCaptions) {
    const QRect tab = window->TabStrip1->geometry(), grid = window->grdTop->geometry(),
                panel = window->picGroup2->geometry();
    const QPoint copy = window->btnCopy->pos();
    // 1500 and 900 twips: whole numbers of pixels.
    window->resize(window->width() + 100, window->height() + 60);
    EXPECT_EQ(window->TabStrip1->size(), tab.size() + QSize(100, 60));
    EXPECT_EQ(window->grdTop->size(), grid.size() + QSize(100, 60));
    EXPECT_EQ(window->ctlPitchGraph->geometry(), window->grdTop->geometry());
    EXPECT_EQ(window->picGroup2->geometry(), panel.translated(100, 0).adjusted(0, 0, 0, 60));
    EXPECT_EQ(window->btnCopy->pos(), copy + QPoint(0, 60));

    ASSERT_TRUE(window->theTimer->isActive());
    QTRY_VERIFY_WITH_TIMEOUT(!window->theTimer->isActive(), 1000);
    const int panel3 = window->statusPanel3->mapTo(window->StatusBar1, QPoint(0, 0)).x();
    // 80 twips in, round((x * 15 + 80) / 15); (375 - 195) / 2 = 90 twips down.
    EXPECT_EQ(window->chkUnits->pos(), window->StatusBar1->pos() + QPoint(panel3 + 5, 6));
    EXPECT_GE(window->statusPanel3->width() * 15, 2895 + 80);

    // From the top of its box to the baseline of its text.
    const auto baseline = [](const QLabel& label) {
        return label.contentsRect().top() + label.margin() + QFontMetrics(label.font()).ascent();
    };
    const int level = baseline(*window->Label1[frmMain::kRpmLabel]);
    const QFont panelFont = window->picGroup2->font();
    const auto expectPanelCaptionsLevel = [&] {
        for (const QLabel* label : window->picGroup2->findChildren<QLabel*>()) {
            if (label->text().isEmpty() || !(label->alignment() & Qt::AlignTop))
                continue;
            SCOPED_TRACE(label->objectName().toStdString() + " " + label->text().toStdString());
            const bool fitsAtPanelSize = QFontMetrics(panelFont).horizontalAdvance(label->text()) <=
                                         captionRoom(*label).room.width();
            EXPECT_EQ(label->font() == panelFont, fitsAtPanelSize);
            EXPECT_EQ(baseline(*label), level)
                << label->font().pointSizeF() << " pt in a box " << label->height() << " high";
        }
    };

    // Each caption in its place, and none cut or against its neighbour at the design size.
    window->resize(toPixels(10140.0f), toPixels(7725.0f));
    window->theTimer_Timer(); // the units box onto the status bar
    window->lLanguage = languageNumber(Language::German);
    window->SwitchLanguage();
    const struct {
        const char* name;
        QString shown;
        const char* caption;
    } captions[] = {
        {"TabStrip1 tab 2", window->TabStrip1->caption(2), "Verwindungsverteilung"},
        {"btnCopy", window->btnCopy->text(), "Kopieren"},
        {"threshold label", window->Label1[frmMain::kThresholdLabel]->text(), "Weißabgleich:"},
        {"busy label", window->Label1[frmMain::kBusyLabel]->text(), "Arbeite..."},
        {"speed label", window->Label1[frmMain::kSpeedLabel]->text(), "Fluggeschwindigkeit"},
        {"Label3", window->Label3->text(), "Bild für Seitenansicht:"},
        {"chkThicknessCorrection", window->chkThicknessCorrection->text(), "&Dickenkorrektur %"}};
    for (const auto& c : captions)
        EXPECT_EQ(c.shown, QString::fromUtf8(c.caption)) << c.name;
    EXPECT_EQ(crampedCaptions(*window) + shortened(*window->TabStrip1), QStringList());
    expectPanelCaptionsLevel();

    window->lLanguage = languageNumber(Language::English);
    window->SwitchLanguage();
    EXPECT_EQ(window->TabStrip1->caption(3), "Pitch Distribution");
    EXPECT_EQ(crampedCaptions(*window) + shortened(*window->TabStrip1), QStringList());
    expectPanelCaptionsLevel(); // German fitting undone

    // Too narrow for the tabs: captions are shortened, but every tab stays in view.
    window->resize(toPixels(10140.0f) - 250, toPixels(7725.0f));
    EXPECT_FALSE(shortened(*window->TabStrip1).isEmpty());
    EXPECT_LT(window->TabStrip1->tabBar()->tabRect(3).right(), window->TabStrip1->width());
}

} // namespace
} // namespace bladetrace::test
