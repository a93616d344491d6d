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
    ASSERT_TRUE(paper(400, 200).save(file("b.png")));
    ASSERT_TRUE(paper(300, 100).save(file("A.bmp")));
    struct Case {
        const char* on;
        QStringList files;
        const char* top; // null: unchanged
        const char* side;
    };
    const Case cases[] = {
        {"imgPreview_1", {"b.png"}, nullptr, "b.png"},
        {"txtTopFile", {"b.png"}, "b.png", nullptr},
        {"grdTop", {"b.png", "A.bmp"}, "A.bmp", "b.png"}, // anywhere; top first by name
        {"grdTop", {"A.bmp"}, nullptr, nullptr},          // one file, no view there
        {"imgPreview_0", {"A.bmp", "b.png", "b.png"}, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        const QString before[] = {window->txtTopFile->text(), window->txtSideFile->text()};
        QStringList files;
        for (const QString& name : c.files)
            files << file(name);
        const bool taken = drop(*window, window->findChild<QWidget*>(QLatin1String(c.on)), files);
        EXPECT_EQ(taken, c.top || c.side) << c.on;
        const char* set[] = {c.top, c.side};
        const QLineEdit* boxes[] = {window->txtTopFile, window->txtSideFile};
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(boxes[i]->text(), set[i] ? file(set[i]) : before[i]) << c.on << i;
            if (set[i]) {
                EXPECT_EQ(window->imgPreview[i]->naturalSize(), QImage(file(set[i])).size());
            }
        }
    }
    EXPECT_TRUE(dialogs.requests.isEmpty());
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

TEST_F(Browse, StartUpPreviewsBothImagesAtTheirAspectRatio) {
    // The painted pair is 401 x 120 pixels: 2800 by 838 twips, cut down to 660 high.
    for (QLabel* preview : window->imgPreview) {
        EXPECT_TRUE(preview->isVisible());
        EXPECT_EQ(preview->size(), QSize(qRound(401 * 660.0 / 120 / 15), 44));
    }
}

} // namespace
} // namespace bladetrace::test
