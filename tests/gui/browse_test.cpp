#include "window_fixture.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWindow>

namespace bladetrace::test {
namespace {

using Browse = WindowTest;

QString paper(const QString& path, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.save(path);
    return path;
}

// Files dragged into the window across the input panel's bare lower part onto a control and
// dropped there, as the window system hands them over; true when taken.
bool drop(frmMain& window, const QWidget* on, const QStringList& files) {
    QList<QUrl> urls;
    for (const QString& f : files)
        urls << QUrl::fromLocalFile(f);
    QMimeData data;
    data.setUrls(urls);
    const QWidget& panel = *window.picGroup2;
    const QPoint entry = panel.mapTo(&window, QPoint(panel.width() / 2, panel.height() - 4));
    const QPoint at = on->mapTo(&window, on->rect().center());
    QDragEnterEvent enter(entry, Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(window.windowHandle(), &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(window.windowHandle(), &move);
    QDropEvent event(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(window.windowHandle(), &event);
    return event.isAccepted();
}

TEST_F(Browse, FirstUseListsAllPicturesThenStartsAtTheLastChosenFileDroppedFilesSetTheirViews) {
    const QString wide = paper(file("wide.png"), 400, 200);
    dialogs.answers << wide << paper(file("tall.bmp"), 200, 400) << QString();
    window->btnFileName[0]->click();
    window->btnFileName[1]->click();
    window->btnFileName[0]->click(); // cancelled: nothing changes

    ASSERT_EQ(dialogs.requests.size(), 3);
    const FileRequest& first = dialogs.requests[0];
    // Every format the loader reads, all together first and chosen: no name hides some.
    const QString all = "All pictures (*.bmp *.jpg *.jpeg *.png *.gif *.tif *.tiff *.pbm *.pgm "
                        "*.ppm *.pnm *.webp)";
    EXPECT_EQ(first.filters,
              (QStringList{all, "Bitmap image (*.bmp)", "JPEG image (*.jpg *.jpeg)",
                           "PNG image (*.png)", "GIF image (*.gif)", "TIFF image (*.tif *.tiff)",
                           "PNM image (*.pbm *.pgm *.ppm *.pnm)", "WebP image (*.webp)"}));
    EXPECT_EQ(first.title, "Select a grayscale Image");
    EXPECT_EQ(first.selectedFilter, all);
    EXPECT_EQ(first.fileName, "");
    EXPECT_EQ(dialogs.requests[1].fileName, wide); // the last chosen
    EXPECT_EQ(window->txtTopFile->text(), wide);
    EXPECT_EQ(window->txtSideFile->text(), file("tall.bmp"));
    // 2800 by 1400 twips would reach into the controls below: 1320 by 660, and 330 by 660
    // for the tall one.
    EXPECT_EQ(window->imgPreview[0]->size(), QSize(88, 44));
    EXPECT_EQ(window->imgPreview[1]->size(), QSize(22, 44));
    EXPECT_LT(window->imgPreview[0]->geometry().bottom(), window->Label3->y());
    EXPECT_LT(window->imgPreview[1]->geometry().bottom(), window->sldThreshold->y());

    // Dropped files set their views as browsing does.
    const QString b = paper(file("b.png"), 400, 200), a = paper(file("A.bmp"), 300, 100);
    const struct {
        const char* on;
        QStringList files;
        QString top, side; // afterwards
    } cases[] = {
        {"imgPreview_1", {b}, wide, b},
        {"txtTopFile", {b}, b, b},
        {"grdTop", {b, a}, a, b}, // anywhere; the top view first by name
        {"grdTop", {a}, a, b},    // one file where no view is: refused
        {"imgPreview_0", {b, a, b}, a, b},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.files.size() << " files on " << c.on);
        const bool changes =
            c.top != window->txtTopFile->text() || c.side != window->txtSideFile->text();
        EXPECT_EQ(drop(*window, window->findChild<QWidget*>(QLatin1String(c.on)), c.files),
                  changes);
        EXPECT_EQ(window->txtTopFile->text(), c.top);
        EXPECT_EQ(window->txtSideFile->text(), c.side);
        EXPECT_EQ(window->imgPreview[0]->naturalSize(), QImage(c.top).size());
        EXPECT_EQ(window->imgPreview[1]->naturalSize(), QImage(c.side).size());
    }

    // A file that is no picture (this test program): its name stays, its preview goes, silently.
    dialogs.answers << QCoreApplication::applicationFilePath();
    window->btnFileName[1]->click();
    EXPECT_EQ(window->txtSideFile->text(), QCoreApplication::applicationFilePath());
    EXPECT_TRUE(window->imgPreview[1]->isHidden());
    EXPECT_EQ(dialogs.messages.size(), 0);
}

// A path typed into a box shows its picture when the box loses the focus or takes Enter; a
// name that is no picture, or none at all, leaves the preview empty, never the old picture.
// Go shows the views it measures even when the box kept the focus.
TEST_F(Browse, ATypedPathShowsItsPictureOrNothing) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const QString wide = paper(file("typed.png"), 400, 200);
    const struct {
        const char* name;
        QString typed;
        bool enter; // else the focus moves on
        QSize natural;
    } cases[] = {
        {"a picture, Enter", wide, true, QSize(400, 200)},
        {"a missing file, focus out", file("missing.png"), false, QSize()},
        {"a picture again, focus out", wide, false, QSize(400, 200)},
        {"no picture, Enter", QCoreApplication::applicationFilePath(), true, QSize()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        window->txtTopFile->setFocus();
        window->txtTopFile->selectAll();
        QTest::keyClicks(window->txtTopFile, c.typed);
        if (c.enter)
            QTest::keyClick(window->txtTopFile, Qt::Key_Return);
        else
            window->txtDiameter->setFocus();
        EXPECT_EQ(window->imgPreview[0]->naturalSize(), c.natural);
        EXPECT_EQ(window->imgPreview[0]->isVisible(), !c.natural.isEmpty());
        EXPECT_EQ(window->imgPreview[0]->pixmap().isNull(), c.natural.isEmpty());
    }
    EXPECT_TRUE(dialogs.messages.isEmpty());
    window->txtSideFile->setText(wide); // as if typed, the focus still in the box
    window->btnGo_Click();
    EXPECT_EQ(window->imgPreview[1]->naturalSize(), QSize(400, 200));
}

} // namespace
} // namespace bladetrace::test
