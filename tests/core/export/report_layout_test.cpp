#include "core/export/sample_runs.h"
#include "export/performance_prediction.h"
#include "export/report_inputs.h"
#include "export/report_layout.h"

#include <QFontMetricsF>
#include <QMap>
#include <QPageSize>
#include <QPainter>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace bladetrace {
namespace {

// A4 at 100 dpi: 18 mm aside, 15 mm above, the footer 10 mm from the edge.
class ReportLayout : public testing::SampleRunsTest {
protected:
    ReportLayout() : paper(QPageSize(QPageSize::A4).sizePixels(100), QImage::Format_RGB32) {
        paper.setDotsPerMeterX(3937);
        paper.setDotsPerMeterY(3937);
    }

    std::vector<ReportPage> pagesOf(const RunResults& run) { return layoutReport(run, paper); }

    // The metric run with its sheet four times over: it breaks over pages.
    static RunResults longSheet() {
        RunResults longer = metricRun();
        for (int i = 0; i < 3; ++i)
            longer.sheetRows.insert(longer.sheetRows.end(), metricRun().sheetRows.begin(),
                                    metricRun().sheetRows.end());
        return longer;
    }

    // Per page, the table's lines as they read: the texts of each line of nine cells, left to
    // right, joined by tabs.
    static std::vector<QStringList> tableLines(const std::vector<ReportPage>& pages) {
        std::vector<QStringList> lines;
        for (const ReportPage& page : pages) {
            QMap<double, QMap<double, QString>> byLine; // top, then left
            for (const ReportItem& item : page.items)
                if (item.kind == ReportItem::Kind::Text)
                    byLine[item.rect.top()][item.rect.left()] = item.text;
            QStringList table;
            for (const QMap<double, QString>& line : byLine)
                if (line.size() == kSheetCells)
                    table << line.values().join('\t');
            lines.push_back(table);
        }
        return lines;
    }

    static QStringList textsOf(const ReportPage& page) {
        QStringList texts;
        for (const ReportItem& item : page.items)
            texts << item.text;
        return texts;
    }

    static std::vector<const ReportItem*> itemsOf(const ReportPage& page, ReportItem::Kind kind) {
        std::vector<const ReportItem*> found;
        for (const ReportItem& item : page.items)
            if (item.kind == kind)
                found.push_back(&item);
        return found;
    }

    static constexpr int kSheetCells = 9;
    const double mm = 100 / 25.4;
    QImage paper;
};

// Painted, every text fits its box, nothing lies over another, every box has ink, and all
// stays within the margins; the footer (its rule and two texts) stands alone below the text.
TEST_F(ReportLayout, EveryItemStaysInsideTheMarginsInkedAndApart) {
    const QRectF margins = QRectF(paper.rect()).adjusted(18 * mm, 15 * mm, -18 * mm, -10 * mm);
    const double textEnd = margins.bottom() - 10 * mm;
    for (const RunResults& run : {metricRun(), longSheet()}) {
        const std::vector<ReportPage> pages = pagesOf(run);
        for (std::size_t p = 0; p < pages.size(); ++p) {
            SCOPED_TRACE(::testing::Message() << run.sheetRows.size() << " rows, page " << p + 1);
            paper.fill(Qt::white);
            QPainter painter(&paper);
            paintReportPage(painter, pages[p]);
            painter.end();
            QList<QRectF> placed, rules; // the thin grey lines
            int footer = 0;
            for (const ReportItem& item : pages[p].items) {
                SCOPED_TRACE(item.text.toStdString());
                const bool belowText = item.rect.top() >= textEnd;
                footer += belowText;
                EXPECT_TRUE(margins.contains(item.rect)) << item.rect;
                if (!belowText) {
                    EXPECT_LE(item.rect.bottom(), textEnd) << item.rect;
                }
                const bool isText = item.kind == ReportItem::Kind::Text;
                if (item.kind == ReportItem::Kind::Fill && item.colour == QColor(0x90, 0x90, 0x90))
                    rules << item.rect;
                if (item.kind == ReportItem::Kind::Fill || (isText && item.text.isEmpty()))
                    continue;
                const QRectF used = isText ? QFontMetricsF(item.font, &paper)
                                                 .boundingRect(item.rect, item.flags, item.text)
                                           : item.rect;
                EXPECT_TRUE(item.rect.adjusted(-1, -1, 1, 1).contains(used)) << used;
                for (const QRectF& other : placed)
                    EXPECT_FALSE(other.intersects(used)) << used << " and " << other;
                placed << used;
                // Inside a picture's or a plot's frame.
                const int frame = isText ? 0 : 2;
                const QRect box =
                    item.rect.adjusted(frame, frame, -frame, -frame).toAlignedRect() & paper.rect();
                int ink = 0;
                for (int y = box.top(); y <= box.bottom(); ++y)
                    for (int x = box.left(); x <= box.right(); ++x)
                        ink += qGray(paper.pixel(x, y)) < 200; // darker than the bands
                EXPECT_GT(ink, isText ? 0 : 200);
            }
            EXPECT_EQ(footer, 3);
            for (const QRectF& rule : rules)
                for (const QRectF& used : placed)
                    EXPECT_FALSE(rule.intersects(used)) << "a rule " << rule << " through " << used;
        }
    }
}

// Every row once and in order, under the header row and the row of units; a sheet that breaks
// over pages repeats both at the top of each.
TEST_F(ReportLayout, TheSheetIsWholeInOrderUnderItsHeaderOnEveryPage) {
    const QString header = QString::fromUtf8("No.\tr/R\tc/R\tr\tc\tß\tH\tRe\tMa");
    const QString units = QString::fromUtf8("\t\t\tmm\tmm\t°\tmm\t\t");
    for (const RunResults& run : {metricRun(), longSheet()}) {
        SCOPED_TRACE(::testing::Message() << run.sheetRows.size() << " rows");
        QStringList rows;
        int pagesWithTable = 0;
        for (const QStringList& lines : tableLines(pagesOf(run))) {
            if (lines.isEmpty())
                continue;
            ++pagesWithTable;
            ASSERT_GE(lines.size(), 3);
            EXPECT_EQ(lines[0], header);
            EXPECT_EQ(lines[1], units);
            rows += lines.mid(2);
        }
        QStringList expected;
        for (const QStringList& row : run.sheetRows)
            expected << row.join('\t');
        EXPECT_EQ(rows, expected);
        if (run.sheetRows.size() == metricRun().sheetRows.size())
            EXPECT_EQ(pagesWithTable, 1); // it fits a page: not broken
        else
            EXPECT_GT(pagesWithTable, 1);
    }
}

// The first page: title, version and date, the inputs, both views under their captions and
// the three charts under their tabs' captions, each with its data.
TEST_F(ReportLayout, FirstPageHoldsTheInputsTheViewsAndTheThreeCharts) {
    const RunResults& run = metricRun();
    const std::vector<ReportPage> pages = pagesOf(run);
    ASSERT_EQ(pages.size(), 3u);
    const QStringList texts = textsOf(pages[0]);
    for (const QString& expected :
         {QStringLiteral("Blade measurement report"), QStringLiteral("Bladetrace 1.0.0"),
          "Measured " + run.completed.toString("yyyy-MM-dd HH:mm"), QStringLiteral("Inputs"),
          QStringLiteral("Image for Top View: top.bmp"),
          QStringLiteral("Image for Side View: side.bmp")})
        EXPECT_TRUE(texts.contains(expected)) << expected;
    for (const ReportInput& input : reportInputs(run)) { // every one, labelled
        EXPECT_TRUE(texts.contains(input.label)) << input.label;
        EXPECT_TRUE(texts.contains(input.value)) << input.value;
    }

    const std::vector<const ReportItem*> views = itemsOf(pages[0], ReportItem::Kind::Picture);
    ASSERT_EQ(views.size(), 2u);
    EXPECT_EQ(views[0]->picture, run.topPicture);
    EXPECT_EQ(views[1]->picture, run.sidePicture);

    const std::vector<const ReportItem*> plots = itemsOf(pages[0], ReportItem::Kind::Plot);
    const char* titles[] = {"Chord Distribution", "Twist Distribution", "Pitch Distribution"};
    ASSERT_EQ(plots.size(), 3u);
    for (std::size_t c = 0; c < 3; ++c) {
        SCOPED_TRACE(titles[c]);
        EXPECT_EQ(plots[c]->plot.title, titles[c]);
        EXPECT_EQ(plots[c]->plot.yTitle, run.charts[c].yTitle);
        ASSERT_EQ(plots[c]->plot.lines.size(), 1u);
        EXPECT_EQ(plots[c]->plot.lines[0].y, run.charts[c].y);
    }
    EXPECT_TRUE(itemsOf(pages[1], ReportItem::Kind::Plot).empty());
}

// The prediction on a last page of its own: the blade count, the polar and the air it used,
// the operating point in words and the two charts.
TEST_F(ReportLayout, LastPageHoldsThePrediction) {
    const RunResults& run = metricRun();
    const std::vector<ReportPage> pages = pagesOf(run);
    const QStringList texts = textsOf(pages.back());
    for (const QString& expected :
         {QStringLiteral("Performance"), QStringLiteral("Blades"),
          QStringLiteral("Air density [kg/m\u00b3]"), QStringLiteral("1.225")})
        EXPECT_TRUE(texts.contains(expected)) << expected;
    for (const QString& line :
         operatingPointLines(predictPerformance(run), Language::English, run.imperial))
        EXPECT_TRUE(texts.contains(line)) << line;
    EXPECT_EQ(texts.filter(QRegularExpression("^Program's default: CL0\u00a00.\\d+, CL_a")).size(),
              1);
    QStringList plots;
    for (const ReportItem* item : itemsOf(pages.back(), ReportItem::Kind::Plot))
        plots << item->plot.title;
    EXPECT_EQ(plots, (QStringList{"Thrust and power coefficients", "Efficiency"}));
}

// Each page's footer: the program, the two views' names, and the page of how many.
TEST_F(ReportLayout, FootersNumberThePages) {
    const std::vector<ReportPage> pages = pagesOf(longSheet());
    ASSERT_GT(pages.size(), 2u);
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const QStringList texts = textsOf(pages[p]);
        EXPECT_TRUE(texts.contains(QString("Page %1 of %2").arg(p + 1).arg(pages.size()))) << texts;
        EXPECT_TRUE(texts.contains(QString::fromUtf8("Bladetrace 1.0.0  ·  top.bmp / side.bmp")))
            << texts;
    }
}

// Two views that fit half the width stand side by side, else one above the other, the top
// view first; a run that made no pictures (nobody asked for a report) lays out without them.
TEST_F(ReportLayout, ViewsStandSideBySideWhenBothFitHalfTheWidth) {
    const struct {
        const char* name;
        int topWidth, sideWidth; // 0: no picture
        bool sideBySide;
    } cases[] = {{"both narrow", 100, 100, true},
                 {"top wide", 5000, 100, false},
                 {"side wide", 100, 5000, false},
                 {"no pictures", 0, 0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RunResults run = metricRun();
        run.topPicture = c.topWidth ? QImage(c.topWidth, 400, QImage::Format_RGB32) : QImage();
        run.sidePicture = c.sideWidth ? QImage(c.sideWidth, 400, QImage::Format_RGB32) : QImage();
        const std::vector<ReportPage> pages = pagesOf(run);
        const std::vector<const ReportItem*> views =
            itemsOf(pages.at(0), ReportItem::Kind::Picture);
        if (c.topWidth == 0) {
            EXPECT_EQ(views.size(), 0u);
            EXPECT_FALSE(textsOf(pages[0]).join('|').contains("Image for Top View: "));
            continue;
        }
        ASSERT_EQ(views.size(), 2u);
        if (c.sideBySide) {
            EXPECT_EQ(views[0]->rect.top(), views[1]->rect.top());
            EXPECT_LT(views[0]->rect.right(), views[1]->rect.left());
        } else {
            EXPECT_LT(views[0]->rect.bottom(), views[1]->rect.top());
        }
    }
}

// In the language of the run, whatever the program's language now. Some German labels are
// longer than half a column: they wrap, and the values keep the rest of it (beyond the
// label's half and a 3 mm gap).
TEST_F(ReportLayout, AGermanRunIsLaidOutInGerman) {
    RunResults german = metricRun();
    german.language = Language::German;
    const std::vector<ReportPage> pages = pagesOf(german);
    QStringList titles;
    for (const ReportPage& page : pages)
        for (const ReportItem* plot : itemsOf(page, ReportItem::Kind::Plot))
            titles << plot->plot.title;
    EXPECT_EQ(titles,
              (QStringList{"Tiefenverteilung", "Verwindungsverteilung", "Steigungsverteilung",
                           "Schub- und Leistungsbeiwert", "Wirkungsgrad"}));
    EXPECT_TRUE(textsOf(pages.back()).contains("Leistung"));
    QMap<QString, double> left;
    for (const ReportItem& item : pages.at(0).items)
        left[item.text] = item.rect.left();
    const double column = left["Propellerdrehzahl"] - left["Durchmesser"];
    EXPECT_LE(left["0.185\u00a0m"] - left["Durchmesser"], column / 2 + 3 * mm);
}

// Both views of the run are 420 columns wide, 80 and 60 rows high: drawn at one scale, one
// width, whatever their heights.
TEST_F(ReportLayout, TheViewsAreDrawnAtOneScale) {
    const std::vector<ReportPage> pages = pagesOf(metricRun());
    const std::vector<const ReportItem*> views = itemsOf(pages.at(0), ReportItem::Kind::Picture);
    ASSERT_EQ(views.size(), 2u);
    EXPECT_DOUBLE_EQ(views[0]->rect.width(), views[1]->rect.width());
    EXPECT_DOUBLE_EQ(views[0]->rect.height() / views[1]->rect.height(), 80.0 / 60.0);
}

} // namespace
} // namespace bladetrace
