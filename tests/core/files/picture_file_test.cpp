#include "files/picture_file.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace bladetrace {
namespace {

// Another program changes the file while its bytes are mapped: every byte still reads (the
// pages the file lost as zeros, not as a signal) and the change is told.
TEST(PictureFile, ChangesUnderTheMappingAreToldInsteadOfSignalled) {
    const QByteArray content(3 * 65536, 'p');
    const struct {
        const char* name;
        std::function<void(QFile&)> change;
        const char* told;
        qint64 bytesKept; // of the content, the rest reading as zeros
    } cases[] = {
        {"untouched", [](QFile&) {}, "", content.size()},
        {"cut short", [](QFile& f) { f.resize(100); }, "the file was cut short while it was read",
         100},
        {"rewritten from empty",
         [&](QFile& f) {
             f.resize(0);
             f.write(content.left(70000));
         },
         "the file was cut short while it was read", 70000},
        {"rewritten in place",
         [&](QFile& f) {
             f.write(content);
             f.setFileTime(QDateTime::currentDateTime().addSecs(1),
                           QFileDevice::FileModificationTime);
         },
         "the file changed while it was read", content.size()},
        {"grown", [](QFile& f) { f.seek(f.size()), f.write("more"); },
         "the file changed while it was read", content.size()},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile file(dir.filePath(QString::fromLatin1(c.name)));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.write(content);
        file.flush();
        const std::shared_ptr<PictureFile> picture = openPictureFile(file.fileName());
        c.change(file);
        file.flush();
        qint64 sum = 0;
        for (qint64 i = 0; i < picture->size; ++i)
            sum += picture->data[i];
        EXPECT_EQ(sum, 'p' * c.bytesKept);
        EXPECT_EQ(picture->changed(), QString::fromLatin1(c.told));
    }
}

} // namespace
} // namespace bladetrace
