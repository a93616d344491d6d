#include <QtGlobal>

#ifndef Q_OS_WIN
#include "platform/chm_viewer/sitemap.h"

#include <gtest/gtest.h>

namespace bladetrace::platform {
namespace {

TEST(Sitemap, NestedListsBecomeChildrenInOrder) {
    const QByteArray hhc = R"(<HTML><BODY>
<OBJECT type="text/site properties"><param name="ImageType" value="Folder"></OBJECT>
<UL>
  <LI><OBJECT type="text/sitemap"><param name="Name" value="Start">
      <param name="Local" value="index.html"></OBJECT>
  <LI><OBJECT type="text/sitemap"><param name="Name" value="Book"></OBJECT>
  <UL>
    <LI><OBJECT type="text/sitemap"><param name="Name" value="One"><param name="Local" value="a/one.html"></OBJECT>
    <UL>
      <LI><OBJECT type="text/sitemap"><param name="Name" value="Deep"><param name="Local" value="a/deep.html#part"></OBJECT>
    </UL>
    <LI><OBJECT type="text/sitemap"><param name="Name" value="Two"><param name="Local" value="a/two.html"></OBJECT>
  </UL>
  <LI><OBJECT type="text/sitemap"><param name="Name" value="Last"><param name="Local" value="last.html"></OBJECT>
</UL></BODY></HTML>)";

    const std::vector<SitemapEntry> entries = parseSitemap(hhc);

    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, QStringLiteral("Start"));
    EXPECT_EQ(entries[0].local, QStringLiteral("index.html"));
    EXPECT_TRUE(entries[0].children.empty());
    EXPECT_EQ(entries[1].name, QStringLiteral("Book"));
    EXPECT_TRUE(entries[1].local.isEmpty());
    ASSERT_EQ(entries[1].children.size(), 2u);
    EXPECT_EQ(entries[1].children[0].name, QStringLiteral("One"));
    ASSERT_EQ(entries[1].children[0].children.size(), 1u);
    EXPECT_EQ(entries[1].children[0].children[0].local, QStringLiteral("a/deep.html#part"));
    EXPECT_EQ(entries[1].children[1].name, QStringLiteral("Two"));
    EXPECT_EQ(entries[2].name, QStringLiteral("Last"));
}

// Any case, quoting and entities; the first name and page of an entry; markup that is
// unbalanced or foreign.
TEST(Sitemap, ReadsWhatHandWrittenFilesHold) {
    const struct {
        QByteArray text;
        const char* name;
        const char* local;
    } cases[] = {
        {"<ul><li><object TYPE='TEXT/SITEMAP'><PARAM NAME=name VALUE='Gr&ouml;&szlig;e &amp; "
         "Form'><param name=\"local\" value=de/size.html></object></ul>",
         "Größe & Form", "de/size.html"},
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
