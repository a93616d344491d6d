#include "command_line_views.h"
#include "window_fixture.h"

#include <QDir>

namespace bladetrace::test {
namespace {

using CommandLineViews = WindowTest;

// Open with on three pictures takes the first two, in order. `bladetrace top.png` from the
// pictures' folder then sets the top view by its whole name, for the next start; the side view
// stays.
TEST_F(CommandLineViews, PicturesSetTopThenSideFurtherOnesAreIgnoredNamesAreMadeWhole) {
    const QString top = paintView("a.png", true, 200), side = paintView("b.png", false, 300);
    openCommandLineViews(*window, {top, side, paintView("c.png", true)});
    EXPECT_EQ(window->txtTopFile->text(), top);
    EXPECT_EQ(window->txtSideFile->text(), side);

    const QString one = paintView("one.png", true, 250);
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    openCommandLineViews(*window, {"one.png"});
    QDir::setCurrent(previous);
    EXPECT_EQ(window->txtTopFile->text(), one);
    EXPECT_EQ(window->imgPreview[0]->naturalSize(), QImage(one).size());
    EXPECT_EQ(window->txtSideFile->text(), side);
    EXPECT_EQ(window->imgPreview[1]->naturalSize(), QImage(side).size());
}

} // namespace
} // namespace bladetrace::test
