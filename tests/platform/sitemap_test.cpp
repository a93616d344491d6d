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

TEST(Sitemap, AcceptsAnyCaseQuotingAndEntities) {
    const QByteArray hhc =
        "<ul><li><object TYPE='TEXT/SITEMAP'><PARAM NAME=name VALUE='Gr&ouml;&szlig;e &amp; Form'>"
        "<param name=\"local\" value=de/size.html></object></ul>";

    const std::vector<SitemapEntry> entries = parseSitemap(hhc);

    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, QString::fromUtf8("Größe & Form"));
    EXPECT_EQ(entries[0].local, QStringLiteral("de/size.html"));
}

TEST(Sitemap, FirstNameAndPageOfAnEntryCount) {
    const QByteArray hhk = R"(<UL><LI><OBJECT type="text/sitemap">
        <param name="Name" value="keyword"><param name="Name" value="first page">
        <param name="Local" value="first.html"><param name="Name" value="second page">
        <param name="Local" value="second.html"></OBJECT></UL>)";

    const std::vector<SitemapEntry> entries = parseSitemap(hhk);

    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, QStringLiteral("keyword"));
    EXPECT_EQ(entries[0].local, QStringLiteral("first.html"));
}

TEST(Sitemap, UnbalancedOrForeignMarkupDoesNotBreakIt) {
    const QByteArray html = "</UL></UL><p>text</p><OBJECT type=\"text/sitemap\">"
                            "<param name=\"Name\" value=\"Loose\"></OBJECT><UL><UL>";
    const std::vector<SitemapEntry> entries = parseSitemap(html);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, QStringLiteral("Loose"));
    EXPECT_TRUE(parseSitemap("not a sitemap at all").empty());
}

} // namespace
} // namespace bladetrace::platform
#endif
