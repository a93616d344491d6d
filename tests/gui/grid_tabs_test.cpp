#include "tab_strip.h"
#include "twips.h"
#include "window_fixture.h"

#include <QTabBar>

namespace bladetrace::test {
namespace {

using GridTabs = WindowTest;

QStringList shortened(const TabStrip& tabs) {
    QStringList cut;
    for (int i = 0; i < tabs.tabBar()->count(); ++i) {
        if (tabs.shownCaption(i) != tabs.caption(i))
            cut.append(tabs.shownCaption(i));
    }
    return cut;
}

TEST_F(GridTabs, CaptionsShowInFullAtTheDesignSizeInBothLanguages) {
    window->resize(toPixels(10140.0f), toPixels(7725.0f));
    EXPECT_EQ(shortened(*window->TabStrip1), QStringList());

    window->lLanguage = kGerman;
    window->SwitchLanguage();
    ASSERT_EQ(window->TabStrip1->caption(2), QStringLiteral("Verwindungsverteilung"));
    EXPECT_EQ(shortened(*window->TabStrip1), QStringList());
}

TEST_F(GridTabs, ATooNarrowWindowShortensCaptionsButKeepsEveryTab) {
    window->resize(toPixels(10140.0f) - 250, toPixels(7725.0f));
    EXPECT_FALSE(shortened(*window->TabStrip1).isEmpty());
    const QTabBar& bar = *window->TabStrip1->tabBar();
    EXPECT_LT(bar.tabRect(3).right(), window->TabStrip1->width());
}

} // namespace
} // namespace bladetrace::test
