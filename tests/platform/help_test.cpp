#include <QtGlobal>

#ifndef Q_OS_WIN
#include "platform/chm_viewer/sitemap.h"
#include "platform/help.h"
#include "text/string_table.h"

#include <QAction>
#include <QListWidget>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <gtest/gtest.h>

namespace bladetrace::platform {
namespace {

// The help window as the About window's help button opens it.
class HelpViewerTest : public ::testing::Test {
protected:
    void SetUp() override { open(helpFilePath(), &caller); }
    void open(const QString& file, QWidget* parent) {
        window = showHelpContents(parent, file, Language::English);
        ASSERT_NE(window, nullptr);
        contents = window->findChild<QTreeWidget*>("helpContents");
        index = window->findChild<QListWidget*>("helpIndex");
        page = window->findChild<QTextBrowser*>("helpPage");
        ASSERT_NE(contents, nullptr);
        ASSERT_NE(index, nullptr);
        ASSERT_NE(page, nullptr);
    }

    QString pageTitle() const {
        return page->document()->metaInformation(QTextDocument::DocumentTitle);
    }

    QWidget caller;
    QWidget* window = nullptr;
    QTreeWidget* contents = nullptr;
    QListWidget* index = nullptr;
    QTextBrowser* page = nullptr;
};

// It opens at the contents with the first page; every page of the contents comes out of the
// file. The build already refuses pages that link to a file that is not there.
TEST_F(HelpViewerTest, OpensAtTheContentsAndEveryPageComesOutOfTheFile) {
    EXPECT_EQ(window->windowTitle(), "Bladetrace Help");
    EXPECT_EQ(page->source().path(), "/index.html");
    EXPECT_EQ(pageTitle(), "Bladetrace Help");
    ASSERT_EQ(contents->topLevelItemCount(), 3);
    EXPECT_EQ(contents->topLevelItem(1)->text(0), "English");
    EXPECT_EQ(contents->topLevelItem(2)->text(0), "Deutsch");
    EXPECT_EQ(contents->topLevelItem(2)->child(0)->text(0),
              QString::fromUtf8("Bladetrace im Überblick"));
    EXPECT_EQ(contents->currentItem(), contents->topLevelItem(0));
    int pages = 0;
    for (QTreeWidgetItemIterator it(contents); *it; ++it, ++pages) {
        contents->setCurrentItem(*it);
        SCOPED_TRACE(page->source().path().toStdString());
        EXPECT_NE(pageTitle(), "");
        EXPECT_FALSE(page->toPlainText().contains("Page not found"));
    }
    EXPECT_GE(pages, 23);
}

// Contents and index entries open their pages, and switching to the index keeps the page:
// hiding the focused contents passes the focus to the index, which must not open its first
// entry. Links are followed inside the file, and the contents follow them.
TEST_F(HelpViewerTest, EntriesAndLinksOpenTheirPagesSwitchingTabsKeepsIt) {
    contents->setCurrentItem(contents->topLevelItem(2)->child(5));
    EXPECT_EQ(page->source().path(), "/de/spreadsheet.html");
    EXPECT_EQ(pageTitle(), "Die Ergebnistabelle");
    EXPECT_TRUE(page->toPlainText().contains(QString::fromUtf8("Blatttiefe in der Draufsicht")));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    contents->setFocus(Qt::MouseFocusReason);
    QTabBar* tabs = window->findChild<QTabWidget*>()->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    ASSERT_TRUE(index->isVisible());
    EXPECT_EQ(page->source().path(), "/de/spreadsheet.html");
    const QList<QListWidgetItem*> found = index->findItems("span check", Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    index->setCurrentItem(found.first());
    EXPECT_EQ(page->source().path(), "/en/run.html");

    Q_EMIT page->anchorClicked(QUrl("threshold.html"));
    EXPECT_EQ(page->source().path(), "/en/threshold.html");
    ASSERT_NE(contents->currentItem(), nullptr);
    EXPECT_EQ(contents->currentItem()->text(0), "Choosing the grey threshold");
    Q_EMIT page->anchorClicked(QUrl("../de/threshold.html"));
    EXPECT_EQ(page->source().path(), "/de/threshold.html");
}

// A second call reuses the window in the caller's language: each language's help opens on its
// own start page, whose picture fits the window at its default size, with its own captions,
// and its index lists that language's entries and the shared ones only. Another help file
// opens a window of its own, which names the file it cannot open.
TEST_F(HelpViewerTest, EachLanguageOpensOnItsStartPageAndIndexesItsOwnPagesAMissingFileIsNamed) {
    const struct {
        const char* name;
        Language language;
        const char* start;
        const char* title;
        const char* tab;     // the contents'
        const char* back;    // the button's
        const char* entry;   // in its index
        const char* foreign; // the other language's folder
    } cases[] = {
        {"German", Language::German, "/de/index.html", "Bladetrace-Hilfe", "Inhalt", "Zurück",
         "Abbrechen (Escape)", "en/"},
        {"English", Language::English, "/index.html", "Bladetrace Help", "Contents", "Back",
         "abort (Escape)", "de/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(showHelpContents(&caller, helpFilePath(), c.language), window);
        EXPECT_EQ(window->windowTitle(), QString::fromUtf8(c.title));
        EXPECT_EQ(window->findChild<QTabWidget*>()->tabText(0), c.tab);
        QStringList buttons;
        for (const QAction* button : window->findChildren<QAction*>())
            buttons << button->text();
        EXPECT_TRUE(buttons.contains(QString::fromUtf8(c.back))) << buttons;
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        EXPECT_EQ(page->source().path(), c.start);
        EXPECT_EQ(pageTitle(), c.title);
        EXPECT_EQ(page->horizontalScrollBar()->maximum(), 0)
            << "page " << page->viewport()->width() << " px wide, document "
            << page->document()->size().width();
        QStringList pages;
        for (int i = 0; i < index->count(); ++i)
            pages << index->item(i)->data(Qt::UserRole).toString();
        EXPECT_EQ(pages.filter(QRegularExpression(QString("^") + c.foreign)), QStringList());
        EXPECT_EQ(index->findItems(QString::fromUtf8(c.entry), Qt::MatchExactly).size(), 1);
    }

    QTemporaryDir dir;
    const QString missing = helpFilePath(dir.path());
    open(missing, &caller);
    EXPECT_TRUE(page->toPlainText().contains("could not be opened"));
    EXPECT_TRUE(page->toPlainText().contains(missing));
    EXPECT_EQ(contents->topLevelItemCount(), 0);
}

// The first name and page of an entry count; markup that is unbalanced is read all the same.
// (Entities and nesting are read from the program's own help file.)
TEST(Sitemap, ReadsWhatHandWrittenFilesHold) {
    const std::vector<SitemapEntry> entries =
        parseSitemap(R"(</UL><UL><LI><OBJECT type="text/sitemap">
        <param name="Name" value="keyword"><param name="Name" value="first page">
        <param name="Local" value="first.html"><param name="Name" value="second page">
        <param name="Local" value="second.html"></OBJECT></UL></UL><UL>)");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, "keyword");
    EXPECT_EQ(entries[0].local, "first.html");
    EXPECT_TRUE(parseSitemap("not a sitemap at all").empty());
}

} // namespace
} // namespace bladetrace::platform
#endif
