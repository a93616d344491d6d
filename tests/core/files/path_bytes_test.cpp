#include "files/path_bytes.h"

#include <gtest/gtest.h>

namespace bladetrace {
namespace {

// Every name goes back to its own bytes, so two names never become one; valid UTF-8 reads
// as Qt reads it.
TEST(PathBytes, EveryNameGoesBackToItsOwnBytes) {
    const struct {
        const char* name;
        QByteArray bytes;
        bool utf8;
    } cases[] = {
        {"plain", "top view.bmp", true},
        {"two, three and four bytes a character", "\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80", true},
        {"a lone byte", "bad\xff.txt", false},
        {"what Qt makes of that byte", "bad\xef\xbf\xbd.txt", true},
        {"a sequence cut short", "caf\xc3", false},
        {"an overlong slash",
         "a\xc0\xaf"
         "b",
         false},
        {"an encoded surrogate", "\xed\xa0\x80", false},
        {"beyond U+10FFFF", "\xf4\x90\x80\x80", false},
        {"a four-byte character, then a lone byte", "\xf0\x9f\x98\x80\xff", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = pathFromBytes(c.bytes);
        EXPECT_EQ(QString(pathBytes(path).toHex(' ')), QString(c.bytes.toHex(' ')));
        EXPECT_EQ(path == QString::fromUtf8(c.bytes), c.utf8) << path.toStdString();
    }
}

} // namespace
} // namespace bladetrace
