#include "window_fixture.h"

#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSlider>
#include <QUrl>
#include <QWindow>

namespace bladetrace::test {
namespace {

using Browse = WindowTest;

QImage paper(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

TEST_F(Browse, FirstUseStartsAtBitmapsThenAtTheLastChosenFile) {
    const QString wide = file("wide.png");
    ASSERT_TRUE(paper(400, 200).save(wide));
    dialogs.answers.append(wide);
    const QString side = window->txtSideFile->text();
    window->btnFileName[0]->click();

    ASSERT_EQ(dialogs.requests.size(), 1);
    const FileRequest& first = dialogs.requests[0];
    EXPECT_EQ(first.title, QStringLiteral("Select a grayscale Image"));
    ASSERT_GE(first.filters.size(), 4);
    EXPECT_EQ(first.filters[0], QStringLiteral("Bitmap image (*.bmp)"));
    EXPECT_EQ(first.filters[1], QStringLiteral("JPEG image (*.jpg)"));
    EXPECT_TRUE(first.filters.join(' ').contains(QStringLiteral("*.png")));
    EXPECT_TRUE(first.filters.join(' ').contains(QStringLiteral("*.tif")));
    EXPECT_EQ(first.selectedFilter, first.filters[0]);
    EXPECT_EQ(first.fileName, QStringLiteral("*.bmp"));

    EXPECT_EQ(window->txtTopFile->text(), wide);
    EXPECT_EQ(window->txtSideFile->text(), side);
    EXPECT_TRUE(window->imgPreview[0]->isVisible());
    // 2800 twips wide and 1400 high would reach into the controls below: 1320 by 660.
    EXPECT_EQ(window->imgPreview[0]->size(), QSize(88, 44));
    // Only the pixels shown are kept, not the picture.
    EXPECT_EQ(window->imgPreview[0]->pixmap().deviceIndependentSize().toSize(), QSize(88, 44));

    const QString tall = file("tall.bmp");
    ASSERT_TRUE(paper(200, 400).save(tall));
    dialogs.answers.append(tall);
    const QSize topPreview = window->imgPreview[0]->size();
    window->btnFileName[1]->click();
    ASSERT_EQ(dialogs.requests.size(), 2);
    EXPECT_EQ(dialogs.requests[1].fileName, wide);
    EXPECT_EQ(window->txtSideFile->text(), tall);
    EXPECT_EQ(window->imgPreview[1]->size(), QSize(22, 44)); // 2800 by 5600 twips: 330 by 660
    EXPECT_LT(window->imgPreview[1]->geometry().bottom(), window->sldThreshold->y());
    EXPECT_LT(window->imgPreview[0]->geometry().bottom(), window->Label3->y());
    EXPECT_EQ(window->imgPreview[0]->size(), topPreview);
    EXPECT_EQ(window->txtTopFile->text(), wide);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

// Files dragged onto a control of the window and dropped, as the window system hands them
// over; true when taken.
bool drop(frmMain& window, const QWidget* on, const QStringList& files) {
    QList<QUrl> urls;
    for (const QString& f : files)
        urls << QUrl::fromLocalFile(f);
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = on->mapTo(&window, on->rect().center());
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(window.windowHandle(), &enter);
    QDropEvent event(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(window.windowHandle(), &event);
    return event.isAccepted();
}

TEST_F(Browse, DroppedFilesSetTheirViewsAsBrowseDoes) {
    const QString b = file("b.png"), a = file("A.bmp"), top = window->txtTopFile->text();
    ASSERT_TRUE(paper(400, 200).save(b) && paper(300, 100).save(a));
    const struct {
        const char* on;
        QStringList files;
        QString top, side; // afterwards
    } cases[] = {
        {"imgPreview_1", {b}, top, b},
        {"txtTopFile", {b}, b, b},
        {"grdTop", {b, a}, a, b}, // anywhere; the top view first by name
        {"grdTop", {a}, a, b},    // one file where no view is: refused
        {"imgPreview_0", {b, a, b}, a, b},
    };
    for (const auto& c : cases) {
        const bool changes =
            c.top != window->txtTopFile->text() || c.side != window->txtSideFile->text();
        EXPECT_EQ(drop(*window, window->findChild<QWidget*>(QLatin1String(c.on)), c.files), changes)
            << c.on;
        EXPECT_EQ(window->txtTopFile->text(), c.top);
        EXPECT_EQ(window->txtSideFile->text(), c.side);
        EXPECT_EQ(window->imgPreview[0]->naturalSize(), QImage(c.top).size());
        EXPECT_EQ(window->imgPreview[1]->naturalSize(), QImage(c.side).size());
    }
}

TEST_F(Browse, CancelChangesNothing) {
    const QString top = window->txtTopFile->text();
    const QSize preview = window->imgPreview[0]->size();
    const bool shown = window->imgPreview[0]->isVisible();
    dialogs.answers.append(QString());
    window->btnFileName[0]->click();
    EXPECT_EQ(dialogs.requests.size(), 1);
    EXPECT_EQ(window->txtTopFile->text(), top);
    EXPECT_EQ(window->imgPreview[0]->size(), preview);
    EXPECT_EQ(window->imgPreview[0]->isVisible(), shown);
}

TEST_F(Browse, FileThatIsNoImageHidesThePreviewSilently) {
    const QString junk = file("junk.bmp");
    QFile out(junk);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("this is no picture");
    out.close();
    ASSERT_TRUE(window->imgPreview[1]->isVisible());
    dialogs.answers.append(junk);
    window->btnFileName[1]->click();
    EXPECT_EQ(window->txtSideFile->text(), junk);
    EXPECT_FALSE(window->imgPreview[1]->isVisible());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

} // namespace
} // namespace bladetrace::test
