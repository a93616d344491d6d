#include "view_drop.h"

#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

namespace bladetrace::test {
namespace {

// Two files dropped together: a word of the name that says which view it is decides, in
// either language and any case, whatever the order of the drop; without one, or where the
// names agree or one says both, the first by name is the top view.
TEST(ViewDrop, TwoDroppedFilesGoWhereTheirNamesSay) {
    const struct {
        const char* name;
        QStringList dropped; // in the order of the drop
        QString top;         // the file that becomes the top view; the other is the side view
    } cases[] = {
        {"the published pair, the side view dropped first",
         {"kyosho_11x7-side.jpg", "kyosho_11x7-top.jpg"},
         "kyosho_11x7-top.jpg"},
        {"German words, in capitals", {"prop_OBEN.bmp", "prop_Seite.bmp"}, "prop_OBEN.bmp"},
        {"German views by their whole names",
         {"Draufsicht 2.jpg", "Seitenansicht 1.jpg"},
         "Draufsicht 2.jpg"},
        {"front, the other unnamed", {"apc.jpg", "apc front.JPG"}, "apc front.JPG"},
        {"only the side view named, first by name", {"b.jpg", "a.side.jpg"}, "b.jpg"},
        {"no hint: name order", {"pylon 2.bmp", "pylon 1.bmp"}, "pylon 1.bmp"},
        {"a word inside another is no hint",
         {"b-laptop.jpg", "a-topography.jpg"},
         "a-topography.jpg"},
        {"both named top: name order", {"b-top.jpg", "a-top.jpg"}, "a-top.jpg"},
        {"a name that says both is no hint", {"b-side.jpg", "a-top-side.jpg"}, "a-top-side.jpg"},
        {"a folder's name is no hint", {"/top/b.jpg", "/side/a.jpg"}, "/side/a.jpg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QList<QUrl> urls;
        for (const QString& name : c.dropped)
            urls << QUrl::fromLocalFile(name.startsWith('/') ? name : "/photos/" + name);
        QMimeData data;
        data.setUrls(urls);
        const QList<ViewFile> views = droppedViews(data, -1);
        ASSERT_EQ(views.size(), 2);
        EXPECT_EQ(views[0].index, 0);
        EXPECT_TRUE(views[0].fileName.endsWith(c.top)) << views[0].fileName.toStdString();
        EXPECT_FALSE(views[1].fileName.endsWith(c.top)) << views[1].fileName.toStdString();
    }
}

} // namespace
} // namespace bladetrace::test
