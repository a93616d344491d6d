#include "command_line_views.h"
#include "window_fixture.h"

#include <QDir>

namespace bladetrace::test {
namespace {

using CommandLineViews = WindowTest;

// `bladetrace top.png` from the pictures' folder: a relative name, made whole for the next
// start; the side view stays.
TEST_F(CommandLineViews, OnePictureSetsTheTopViewTheSideViewStays) {
    const QString side = window->txtSideFile->text();
    const QString top = paintView("one.png", true, 200);
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    openCommandLineViews(*window, {"one.png"});
    QDir::setCurrent(previous);

    EXPECT_EQ(window->txtTopFile->text(), top);
    EXPECT_EQ(window->imgPreview[0]->naturalSize(), QImage(top).size());
    EXPECT_EQ(window->txtSideFile->text(), side);
    EXPECT_EQ(window->imgPreview[1]->naturalSize(), QImage(side).size());
}

// Open with on three pictures: the first two are taken, in order.
TEST_F(CommandLineViews, TwoPicturesSetTopAndSideFurtherOnesAreIgnored) {
    const QString top = paintView("a.png", true, 200), side = paintView("b.png", false, 300);
    openCommandLineViews(*window, {top, side, paintView("c.png", true)});

    EXPECT_EQ(window->txtTopFile->text(), top);
    EXPECT_EQ(window->txtSideFile->text(), side);
    EXPECT_EQ(window->imgPreview[0]->naturalSize(), QImage(top).size());
    EXPECT_EQ(window->imgPreview[1]->naturalSize(), QImage(side).size());
}

} // namespace
} // namespace bladetrace::test
