#include <QtGlobal>

#ifndef Q_OS_WIN
#include "platform/chm_viewer/sitemap.h"

#include <gtest/gtest.h>

namespace bladetrace::platform {
namespace {

// The first name and page of an entry; markup that is unbalanced or foreign. (Entities and
// nesting are read from the program's own help file.)
TEST(Sitemap, ReadsWhatHandWrittenFilesHold) {
    const struct {
        QByteArray text;
        const char* name;
        const char* local;
    } cases[] = {
        {R"(<UL><LI><OBJECT type="text/sitemap">
            <param name="Name" value="keyword"><param name="Name" value="first page">
            <param name="Local" value="first.html"><param name="Name" value="second page">
            <param name="Local" value="second.html"></OBJECT></UL>)",
         "keyword", "first.html"},
        {"</UL></UL><p>text</p><OBJECT type=\"text/sitemap\">"
         "<param name=\"Name\" value=\"Loose\"></OBJECT><UL><UL>",
         "Loose", ""},
    };
    for (const auto& c : cases) {
        const std::vector<SitemapEntry> entries = parseSitemap(c.text);
        ASSERT_EQ(entries.size(), 1u) << c.name;
        EXPECT_EQ(entries[0].name, QString::fromUtf8(c.name));
        EXPECT_EQ(entries[0].local, QLatin1String(c.local));
    }
    EXPECT_TRUE(parseSitemap("not a sitemap at all").empty());
}

} // namespace
} // namespace bladetrace::platform
#endif
