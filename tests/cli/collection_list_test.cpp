#include "cli/batch_process.h"
#include "collection_list.h"
#include "csv_table.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace bladetrace::cli {
namespace {

using testing::make;

TEST(CsvTable, QuotedFieldsHoldSeparatorsQuotesAndLineEnds) {
    const QStringList values = {"plain", "a, b", "say \"hi\"", "two\r\nlines", ""};
    QStringList fields;
    for (const QString& value : values)
        fields << csvField(value, ',');
    const CsvText csv = readCsv(
        QString::fromUtf8("\xEF\xBB\xBF") + fields.join(',') + "\r\n\r\n  \nlast,row\n", ',');
    ASSERT_EQ(csv.rows.size(), 2u);
    EXPECT_EQ(csv.rows[0], values);
    EXPECT_EQ(csv.rows[1], (QStringList{"last", "row"}));
    EXPECT_EQ(csv.lines, (std::vector<int>{1, 5}));

    EXPECT_EQ(readCsv("a,b\n\"c,d\ne\n", ',').error, "a quote opened on line 2 is not closed");
    EXPECT_EQ(csvSeparator("name;top;side\nx;1,5;2\n"), QChar(';'));
    EXPECT_EQ(csvSeparator("name,top;x,side\n"), QChar(','));
}

class Manifest : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& text) {
        const QString path = dir.filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        make(path, text);
        return path;
    }

    static BatchOptions options(const QString& collection, const QStringList& more = {}) {
        const ParseResult parsed =
            parseBatchOptions(QStringList{"--collection", collection, "--out", "out"} + more);
        if (const auto* usage = std::get_if<UsageError>(&parsed))
            ADD_FAILURE() << usage->message.toStdString();
        const auto* o = std::get_if<BatchOptions>(&parsed);
        return o ? *o : BatchOptions{};
    }

    QTemporaryDir dir;
};

// Each pair's run gets its pictures relative to the list and its values as the row or, where
// the row has none, the command line gives them.
TEST_F(Manifest, ColumnsInAnyOrderPathsRelativeToTheListDefaultsFromTheCommandLine) {
    const QString list =
        write("lists/m.csv",
              "Speed,side,NAME,top,notes,threshold,imperial,thickness,blades,diameter,polar\r\n"
              "10,\"../pics/a, \"\"side\"\".bmp\",first,../pics/a-top.bmp,hi,,yes,\"20,10\",3,7,"
              "../p.qprop\r\n"
              "\r\n"
              "12,/abs/b-side.png,second,b top.png,,120,no,,,,\r\n");
    const CollectionList l =
        readManifest(list, options(list, {"--rpm", "5000", "--diameter", "0.3"}));
    EXPECT_EQ(l.errors, QStringList());
    EXPECT_EQ(l.warnings, QStringList{list + ": the column \"notes\" is not read"});
    const QString lists = dir.filePath("lists/");
    const struct {
        QString name, top, side;
        QStringList options;
    } expected[] = {
        {"first",
         lists + "../pics/a-top.bmp",
         lists + "../pics/a, \"side\".bmp",
         {"--diameter", "7", "--rpm", "5000", "--speed", "10", "--threshold", "auto", "--imperial",
          "--thickness", "20,10", "--blades", "3", "--polar", lists + "../p.qprop",
          "--match-spans"}},
        {"second",
         lists + "b top.png",
         "/abs/b-side.png",
         {"--diameter", "0.3", "--rpm", "5000", "--speed", "12", "--threshold", "120",
          "--match-spans"}},
    };
    ASSERT_EQ(l.pairs.size(), std::size(expected));
    for (std::size_t i = 0; i < l.pairs.size(); ++i) {
        SCOPED_TRACE(expected[i].name.toStdString());
        const CollectionPair& p = l.pairs[i];
        EXPECT_EQ(p.name, expected[i].name);
        EXPECT_EQ(p.top, expected[i].top);
        EXPECT_EQ(p.side, expected[i].side);
        EXPECT_EQ(p.arguments, QStringList({p.top, p.side}) + expected[i].options);
    }

    // A fixed threshold, exact spans and the other shared options for all; a polar file
    // named on the command line from where the collection starts.
    const CollectionList fixed =
        readManifest(list, options(list, {"--rpm", "1", "--diameter", "2", "--threshold", "90",
                                          "--exact-spans", "--language", "de", "--max-megapixels",
                                          "50", "--polar", "all.qprop", "--air-density", "1.1"}));
    ASSERT_EQ(fixed.pairs.size(), 2u);
    EXPECT_EQ(fixed.pairs[0].arguments.mid(8),
              (QStringList{"--threshold", "90", "--imperial", "--thickness", "20,10", "--blades",
                           "3", "--polar", lists + "../p.qprop", "--language", "de",
                           "--max-megapixels", "50", "--air-density", "1.1"}));
    EXPECT_EQ(fixed.pairs[1].arguments.mid(10, 2),
              (QStringList{"--polar", QDir::currentPath() + "/all.qprop"}));
}

// A bad manifest is refused as a whole: every bad row is named by its line, and a bad value
// as the run would name it.
TEST_F(Manifest, BadRowsAndColumnsAreNamedByTheirLines) {
    const QByteArray header = "name,top,side,diameter,rpm,speed\n";
    const struct {
        const char* name;
        QByteArray text;
        QString error; // the end of the only one
    } rows[] = {
        {"a column missing", "name,top,diameter,rpm,speed\na,t,1,1,1\n",
         "m.csv: no column \"side\""},
        {"a number column missing", "name,top,side,rpm,speed\na,t,s,1,1\n",
         "m.csv: no column \"diameter\" and no --diameter"},
        {"a column twice", "name,top,side,diameter,rpm,speed,Top\na,t,s,1,1,1,u\n",
         "m.csv: two columns \"top\""},
        {"a bad number", header + "a,t,s,1,1,1\nb,t,s,x,1,1\n",
         "m.csv, line 3 (b): --diameter takes a number, not \"x\""},
        {"an empty number", header + "a,t,s,1,,1\n", "m.csv, line 2 (a): no rpm"},
        {"imperial neither yes nor no",
         "name,top,side,diameter,rpm,speed,imperial\na,t,s,1,1,1,y\n",
         "line 2 (a): imperial takes yes or no, not \"y\""},
        {"a name twice", header + "a,t,s,1,1,1\n\na,u,v,1,1,1\n",
         "line 4 (a): the name is on line 2 too"},
        {"the summary's name", header + "summary,t,s,1,1,1\n",
         "line 2 (summary): the name \"summary\" is the summary's"},
        {"a name that is a path", header + "../a,t,s,1,1,1\n",
         "line 2 (../a): the name \"../a\" cannot name files in the output folder"},
        {"no side view", header + "a,t,,1,1,1\n", "line 2 (a): no side view"},
        {"more cells than columns", header + "a,t,s,1,1,1,2\n",
         "line 2 (a): 7 cells, and the header names 6 columns"},
        {"an open quote", header + "a,\"t,s,1,1,1\n",
         "m.csv: a quote opened on line 2 is not closed"},
        {"only a header", header, "m.csv: no pairs, only the header row"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString list = write("m.csv", row.text);
        const CollectionList l = readManifest(list, options(list));
        ASSERT_EQ(l.errors.size(), 1) << l.errors.join('\n').toStdString();
        EXPECT_TRUE(l.errors[0].endsWith(row.error)) << l.errors[0].toStdString();
    }
    const QString missing = dir.filePath("none.csv");
    EXPECT_EQ(readManifest(missing, options(missing)).errors,
              QStringList{"File not found: " + missing});
}

// NAME-top, NAME-front and NAME-side pictures, in any case; the diameter comes from the
// command line, never from the name.
TEST_F(Manifest, AFolderPairsItsPicturesByName) {
    for (const char* file :
         {"a-top.bmp", "a-side.bmp", "B-Front.PNG", "B-Side.png", "apc_11x7-top.jpg",
          "apc_11x7-side.jpg", "c-top.bmp", "d-side.tif", "e-top.bmp", "e-front.bmp", "e-side.bmp",
          "notes-top.txt", "notes-side.txt", ".x-top.bmp", ".x-side.bmp", "-top.bmp", "f.bmp"})
        write(QStringLiteral("pics/") + file, "");
    const QString folder = dir.filePath("pics");
    const CollectionList l = readFolder(
        folder, options(folder, {"--diameter", "0.2", "--rpm", "5000", "--speed", "10"}));
    EXPECT_EQ(l.errors, QStringList());
    const struct {
        QString name, top, side, problem;
    } expected[] = {
        {"B", "B-Front.PNG", "B-Side.png", ""},
        {"a", "a-top.bmp", "a-side.bmp", ""},
        {"apc_11x7", "apc_11x7-top.jpg", "apc_11x7-side.jpg", ""},
        {"c", "c-top.bmp", "", "no side view beside c-top.bmp"},
        {"d", "", "d-side.tif", "no top view beside d-side.tif"},
        {"e", "e-front.bmp", "e-side.bmp",
         "more than one view of a kind: e-front.bmp, e-top.bmp, e-side.bmp"},
    };
    ASSERT_EQ(l.pairs.size(), std::size(expected));
    for (std::size_t i = 0; i < l.pairs.size(); ++i) {
        SCOPED_TRACE(expected[i].name.toStdString());
        const CollectionPair& p = l.pairs[i];
        EXPECT_EQ(p.name, expected[i].name);
        EXPECT_EQ(QFileInfo(p.top).fileName(), expected[i].top);
        EXPECT_EQ(QFileInfo(p.side).fileName(), expected[i].side);
        EXPECT_EQ(p.problem, expected[i].problem);
    }
    ASSERT_EQ(l.pairs[2].arguments.size(), 11);
    EXPECT_EQ(l.pairs[2].arguments.mid(2, 2), (QStringList{"--diameter", "0.2"}));

    EXPECT_EQ(readFolder(folder, options(folder, {"--rpm", "5000", "--speed", "10"})).errors,
              QStringList{"the pairs of a folder need --diameter, --rpm and --speed"});
    const QString empty = dir.filePath("lists");
    QDir().mkpath(empty);
    EXPECT_EQ(
        readCollection(options(empty, {"--diameter", "1", "--rpm", "1", "--speed", "1"})).errors,
        QStringList{"no NAME-top.* and NAME-side.* pictures in " + empty});
}

} // namespace
} // namespace bladetrace::cli
