#include "export/export_format.h"
#include "export/performance_prediction.h"
#include "export/plot_painter.h"
#include "export/report_inputs.h"
#include "export/report_layout.h"
#include "export/report_picture.h"
#include "results/run_results.h"
#include "run/calc_it.h"
#include "support/failure_of.h"
#include "support/painted_blades.h"
#include "support/recording_host.h"

#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <tuple>

namespace bladetrace {
namespace {

// One metric run with thickness correction and one imperial run of the same pair.
const std::vector<RunResults>& runs() {
    static const std::vector<RunResults> kept = [] {
        QTemporaryDir dir;
        testing::RecordingHost host;
        host.topFile = testing::saveImage(testing::taperedView(80, 30, 8), dir.path(), "top.bmp");
        host.sideFile =
            testing::saveImage(testing::taperedView(60, 10, 12), dir.path(), "side.bmp");
        host.reportPictures = true;
        host.thickness = true;
        EXPECT_EQ(CalcIt(host.host()), RunOutcome::Completed);
        host.thickness = false;
        host.imperialAt = [] { return true; };
        host.diameter = QStringLiteral("7.283");
        EXPECT_EQ(CalcIt(host.host()), RunOutcome::Completed);
        EXPECT_EQ(host.results.size(), 2u);
        EXPECT_EQ(host.results[1].sheetRows.back().join('\t'), host.rows.back());
        for (std::size_t i = 0; i < host.results.size(); ++i)
            EXPECT_EQ(host.results[i].charts[kPitchChart].y, host.charts[i][kPitchChart].y);
        return host.results;
    }();
    return kept;
}

// Read back as a user's program would, in a German locale, and compared with the charts:
// each column by its name in the table's header, to as many decimals as it shows.
TEST(Export, TextFormatsReadBackGiveTheChartValuesFromHubToTip) {
    const struct {
        const char* fileName;
        bool imperial;
        const char* tableHeader; // the data lines follow it
        const char* decimals;
        bool axisStation; // the station at r = 0 is listed
    } formats[] = {
        {"blade.CSV", false, "r/R,c/R,beta [deg],r [m],c [m],pitch [m]", "664666", true},
        {"blade.csv", true, "r/R,c/R,beta [deg],r [in],c [in],pitch [in]", "664555", true},
        {"blade.qprop", false, "#  r  chord  beta", "663", false},
        {"blade.Txt", false, "r/R c/R beta", "442", true}};
    const QRegularExpression separators("[,\\s]+");
    for (const auto& f : formats) {
        SCOPED_TRACE(f.fileName);
        const RunResults& run = runs()[f.imperial ? 1 : 0];
        QLocale::setDefault(QLocale::German);
        const QString text = QString::fromUtf8(exportBytes(run, QString::fromLatin1(f.fileName)));
        QLocale::setDefault(QLocale::c());
        QStringList lines = text.split('\n', Qt::SkipEmptyParts);
        const int header = int(lines.indexOf(QString::fromLatin1(f.tableHeader)));
        ASSERT_GE(header, 0) << text.toStdString();
        QStringList columns = lines[header].split(separators, Qt::SkipEmptyParts);
        columns.removeIf([](const QString& c) { return c == "#" || c.startsWith('['); });
        lines = lines.mid(header + 1);

        const ChartSet& charts = run.charts;
        const int skipped = f.axisStation ? 0 : 1; // 42 stations: the fold ends on the axis
        const int rows = charts[kChordChart].rows() - skipped;
        ASSERT_EQ(lines.size(), rows);
        const double length = run.radius() / (f.imperial ? 0.0254 : 1.0);
        for (int i = 0; i < rows; ++i) {
            const auto n = std::size_t(rows - 1 - i);
            const double rR = charts[kChordChart].x[n];
            const double cR = charts[kChordChart].y[n];
            const QMap<QString, double> expected = {{"r/R", rR},
                                                    {"c/R", cR},
                                                    {"beta", charts[kBetaChart].y[n]},
                                                    {"r", rR * length},
                                                    {"c", cR * length},
                                                    {"chord", cR * length},
                                                    {"pitch", charts[kPitchChart].y[n]}};
            const QStringList cells = lines[i].split(separators, Qt::SkipEmptyParts);
            ASSERT_EQ(cells.size(), columns.size()) << lines[i].toStdString();
            for (int c = 0; c < columns.size(); ++c) {
                bool ok = false;
                const double value = QLocale::c().toDouble(cells[c], &ok);
                EXPECT_TRUE(ok && expected.contains(columns[c])) << lines[i].toStdString();
                EXPECT_NEAR(value, expected[columns[c]], 0.51 * std::pow(10.0, '0' - f.decimals[c]))
                    << "row " << i << " column " << c;
                EXPECT_EQ(cells[c].section('.', 1).size(), f.decimals[c] - '0')
                    << cells[c].toStdString();
            }
        }
    }
}

// For a spreadsheet set to the user's region: the plain table with semicolons for commas and
// the regional decimal sign for points, after a byte order mark.
TEST(Export, RegionalCsvTakesSemicolonsAndTheRegionalDecimalSign) {
    const RunResults& run = runs()[0]; // its inputs are read in the C locale
    for (const char* locale : {"de_DE", "en_US"}) {
        SCOPED_TRACE(locale);
        QLocale::setDefault(QLocale(QString::fromLatin1(locale)));
        const QByteArray plain = exportBytes(run, QStringLiteral("blade.csv"));
        const QByteArray regional =
            exportBytes(run, QStringLiteral("blade.csv"), CsvStyle::Regional);
        QLocale::setDefault(QLocale::c());
        QByteArray expected = plain;
        expected.replace(',', ';').replace(
            '.', QLocale(QString::fromLatin1(locale)).decimalPoint().toUtf8());
        EXPECT_EQ(regional, "\xEF\xBB\xBF" + expected);
    }
}

// A pointed tip's chord, extrapolated below zero, is written as 0; the charts keep it.
TEST(Export, NoFileGetsANegativeChord) {
    RunResults run = runs()[0];
    run.charts[kChordChart].y.front() = -0.004158; // c/R at the tip, which comes first
    const struct {
        const char* name;
        const char* fileName;
        int chordColumn;
        const char* zero;
    } rows[] = {
        {"CSV", "blade.csv", 1, "0.000000"},
        {"CSV, length", "blade.csv", 4, "0.000000"},
        {"QPROP", "blade.qprop", 1, "0.000000"},
        {"published table", "blade.txt", 1, "0.0000"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QStringList lines =
            QString::fromUtf8(exportBytes(run, QString::fromLatin1(row.fileName)))
                .split('\n', Qt::SkipEmptyParts);
        const QStringList tip =
            lines.back().split(QRegularExpression("[,\\s]+"), Qt::SkipEmptyParts);
        ASSERT_GT(tip.size(), row.chordColumn);
        EXPECT_EQ(tip[row.chordColumn], row.zero);
    }
}

// QPROP's value lines before the table, each with its "!" comment: the polar the run used,
// marked as one to replace unless the user gave it.
QStringList qpropValueLines(const RunResults& results, const char* note) {
    const QStringList lines =
        QString::fromUtf8(exportBytes(results, ExportFormat::Qprop)).split('\n');
    EXPECT_EQ(lines[0], "top");
    QStringList values;
    for (const QString& line : lines.mid(1, lines.indexOf("#  r  chord  beta") - 1)) {
        if (line.isEmpty())
            continue;
        EXPECT_TRUE(line.contains('!')) << line.toStdString();
        const bool polarLine = values.size() >= 1 && values.size() <= 4;
        const bool marked = polarLine && note != nullptr;
        EXPECT_EQ(line.contains("default"), marked) << line.toStdString();
        if (marked) {
            EXPECT_TRUE(line.contains(note)) << line.toStdString();
        }
        values << line.section('!', 0, 0).simplified();
    }
    return values;
}

TEST(Export, QpropPreambleAndUnknownExtensions) {
    RunResults results = runs()[0];
    const QString blades = "2 " + QString::number(results.radius(), 'f', 6);
    results.inputs.polar = genericPolar();
    EXPECT_EQ(qpropValueLines(results, "generic default"),
              (QStringList{blades, "0.50 5.8", "-0.3 1.2", "0.028 0.050 0.020 0.5", "70000 -0.7",
                           "1 1 1", "0 0 0"}));
    results.inputs.polar.cl0 = 0.3;
    results.inputs.polar.reRef = 150000;
    EXPECT_EQ(qpropValueLines(results, nullptr),
              (QStringList{blades, "0.30 5.8", "-0.3 1.2", "0.028 0.050 0.020 0.5", "150000 -0.7",
                           "1 1 1", "0 0 0"}));

    EXPECT_FALSE(exportFormatFor("blade.png") || exportFormatFor("csv"));
    const AppError error = testing::failureOf([] { exportBytes(runs()[0], "blade.doc"); });
    EXPECT_EQ(error.number, errc::kBadFileName);
    EXPECT_EQ(error.description,
              "Cannot save blade.doc: unknown file type; use .csv, .qprop, .txt or .pdf.");
}

// A line's height in the paper's 9 pt type, on a plot's image.
double paperEm(const QImage& image) {
    QFont font;
    font.setPointSizeF(9);
    return QFontMetricsF(font, &image).height();
}

// One flat series: its line across the middle of the plot, a marker on each of its points.
TEST(Export, PlotDrawsAFlatLineWithItsMarkers) {
    Plot plot;
    plot.lines.resize(1);
    plot.lines[0].x = {0, 0.5, 1};
    plot.lines[0].y = {2, 2, 2};
    const auto blueRows = [&plot] {
        const QImage image = plotImage(plot, QSize(400, 300));
        std::vector<int> rows;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qBlue(image.pixel(x, y)) > qRed(image.pixel(x, y)) + 60)
                    rows.push_back(y);
        return rows;
    };
    const std::vector<int> marked = blueRows();
    plot.lines[0].markers = false;
    const std::vector<int> plain = blueRows();
    ASSERT_GT(plain.size(), 200u);
    EXPECT_GT(marked.size(), plain.size() + 3 * 8);
    for (const int y : plain)
        ASSERT_NEAR(y, 150, 40);
    // Whatever its value, a flat line lies mid-plot, the value axis's labels in ink beside it.
    plot.lines[0].y = {0, 0, 0};
    EXPECT_EQ(blueRows(), plain);
    const QImage image = plotImage(plot, QSize(400, 300));
    int ink = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 40; ++x)
            ink += qGray(image.pixel(x, y)) < 100;
    EXPECT_GT(ink, 20);
    // A legend centred under the frame (its edges across a row between ticks, half way up to
    // the next): its line and name end an em short of its width.
    plot.lines[0].name = QStringLiteral("a line");
    plot.legend = true;
    const QImage legend = plotImage(plot, QSize(400, 300));
    const auto edges = [&legend](int top, int bottom) { // of the ink in these rows
        int first = legend.width(), last = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < legend.width(); ++x)
                if (qGray(legend.pixel(x, y)) < 128)
                    first = std::min(first, x), last = std::max(last, x);
        return first + last;
    };
    EXPECT_NEAR(edges(260, 300) + paperEm(legend), edges(plain.front() - 24, plain.front() - 23),
                6);
}

// Axes at 400 x 300: quarter steps' labels take a decimal more than fifths', labels never crowd,
// both titles stand whole, the lower one at the foot of the paper.
TEST(Export, PlotAxesAndTitles) {
    Plot plot;
    plot.lines = {PlotLine{QString(), {0, 1}, {10000, 10001}, Qt::black, Qt::NoPen, false}};
    const auto paint = [&plot] { return plotImage(plot, QSize(400, 300)); };
    // Where runs of ink begin down column `at`, or along row `at`.
    const auto starts = [](const QImage& image, int at, bool down) {
        std::vector<int> found;
        const auto ink = [&](int i) {
            return qGray(down ? image.pixel(at, i) : image.pixel(i, at)) < 250;
        };
        for (int i = 1; i < (down ? image.height() : image.width()); ++i)
            if (ink(i) && !ink(i - 1))
                found.push_back(i);
        return found;
    };
    const int fifthsFrame = starts(paint(), 55, false).at(0); // between the top two ticks
    plot.lines[0].y[1] = 10001.5;
    const QImage quarters = paint();
    EXPECT_GT(starts(quarters, 55, false).at(0), fifthsFrame + 4);
    // The lowest label the widest: the frame makes room for it as for any other.
    plot.lines[0].y = {-80000, 0};
    const int shorter = starts(paint(), 55, false).at(0);
    plot.lines[0].y = {-100000, 0};
    EXPECT_GT(starts(paint(), 55, false).at(0), shorter + 3);
    plot.lines[0].y = {10000, 10001.5};
    const double em = paperEm(quarters);
    const std::vector<int> grid = starts(quarters, 200, true); // the frame's edges among them
    ASSERT_GE(grid.size(), 4u);
    for (std::size_t i = 1; i < grid.size(); ++i)
        EXPECT_GT(grid[i] - grid[i - 1], 2.2 * em);
    // Rows where a title's painting differs from the bare plot.
    const auto titleRows = [&](QString Plot::*title) {
        plot.*title = QStringLiteral("Xy");
        const QImage titled = paint();
        plot.*title = QString();
        std::vector<int> rows;
        for (int y = 0; y < titled.height(); ++y)
            if (titled.copy(0, y, 400, 1) != quarters.copy(0, y, 400, 1))
                rows.push_back(y);
        return rows;
    };
    const std::vector<int> below = titleRows(&Plot::xTitle);
    const std::vector<int> above = titleRows(&Plot::yTitle);
    ASSERT_FALSE(below.empty());
    ASSERT_EQ(below.size(), above.size());
    EXPECT_GT(below.front(), 300 - 2 * em);
}

// Pages painted at 100 dpi: every text inside its box and the margins, nothing over another, ink
// in every box, the inputs, the whole sheet and the three charts present, the prediction on a
// last page of its own, the footer alone below the text; the PDF has as many pages. A sheet
// four times as long breaks over pages likewise.
TEST(Export, ReportPagesHoldInputsPicturesChartsAndTheWholeSheet) {
    const RunResults& run = runs()[0];
    const QSize a4 = QPageSize(QPageSize::A4).sizePixels(100);
    QImage paper(a4, QImage::Format_RGB32);
    paper.setDotsPerMeterX(3937);
    paper.setDotsPerMeterY(3937);
    std::vector<ReportPage> pages = layoutReport(run, paper);
    ASSERT_EQ(pages.size(), 3u);
    QStringList lastPlots;
    for (const ReportItem& item : pages[2].items)
        if (item.kind == ReportItem::Kind::Plot)
            lastPlots << item.plot.title;
    EXPECT_EQ(lastPlots, (QStringList{"Thrust and power coefficients", "Efficiency"}));
    RunResults longer = run;
    for (int i = 0; i < 3; ++i)
        longer.sheetRows.insert(longer.sheetRows.end(), run.sheetRows.begin(), run.sheetRows.end());
    for (ReportPage& page : layoutReport(longer, paper))
        pages.push_back(std::move(page));
    const double mm = 100 / 25.4; // 18 mm aside, 15 mm above, the footer 10 mm from the edge
    const QRectF margins = QRectF(paper.rect()).adjusted(18 * mm, 15 * mm, -18 * mm, -10 * mm);
    const double textEnd = margins.bottom() - 10 * mm;
    QStringList texts;
    int plots = 0;
    int pictures = 0;
    for (const ReportPage& page : pages) {
        QList<QRectF> placed; // nothing overlaps
        paper.fill(Qt::white);
        QPainter painter(&paper);
        paintReportPage(painter, page);
        painter.end();
        int footer = 0; // its rule and two texts
        for (const ReportItem& item : page.items) {
            footer += item.rect.top() >= textEnd;
            EXPECT_TRUE(margins.contains(item.rect) &&
                        (item.rect.top() >= textEnd || item.rect.bottom() <= textEnd))
                << item.text.toStdString();
            plots += item.kind == ReportItem::Kind::Plot;
            pictures += item.kind == ReportItem::Kind::Picture;
            const bool isText = item.kind == ReportItem::Kind::Text;
            if (item.kind == ReportItem::Kind::Fill || (isText && item.text.isEmpty()))
                continue;
            const QRectF used = isText ? QFontMetricsF(item.font, &paper)
                                             .boundingRect(item.rect, item.flags, item.text)
                                       : item.rect;
            EXPECT_TRUE(item.rect.adjusted(-1, -1, 1, 1).contains(used)) << item.text.toStdString();
            for (const QRectF& other : placed)
                EXPECT_FALSE(other.intersects(used)) << item.text.toStdString();
            placed << used;
            texts << item.text;
            // Inside a picture's or a plot's frame.
            const QRect box =
                item.rect.adjusted(isText ? 0 : 2, isText ? 0 : 2, isText ? 0 : -2, isText ? 0 : -2)
                    .toAlignedRect() &
                paper.rect();
            int ink = 0;
            for (int y = box.top(); y <= box.bottom(); ++y)
                for (int x = box.left(); x <= box.right(); ++x)
                    ink += qGray(paper.pixel(x, y)) < 200; // darker than the bands
            EXPECT_GT(ink, isText ? 0 : 200) << item.text.toStdString();
        }
        EXPECT_EQ(footer, 3);
    }
    EXPECT_EQ(std::pair(plots, pictures), std::pair(10, 4));
    for (const QString& expected :
         {run.inputs.topFile, run.inputs.sideFile, QStringLiteral("0.185\u00a0m"),
          QStringLiteral("15000\u00a01/min"), QStringLiteral("50\u00a0m/s"),
          QStringLiteral("110 (set by hand)"),
          QStringLiteral("on: root\u00a020\u00a0%, tip\u00a010\u00a0%"),
          QStringLiteral("metric (m, m/s)"), QStringLiteral("off"),
          QStringLiteral("Bladetrace 1.0.0"), QStringLiteral("Page 3 of 3"),
          QStringLiteral("Performance"), QStringLiteral("Blades"),
          QStringLiteral("Air density [kg/m\u00b3]"), QStringLiteral("1.225"),
          QStringLiteral("Image for Top View: top.bmp"),
          QStringLiteral("Image for Side View: side.bmp")})
        EXPECT_TRUE(texts.contains(expected)) << expected.toStdString();
    for (const QStringList& row : run.sheetRows)
        EXPECT_TRUE(texts.join('\t').contains(row.join('\t'))) << row.join(' ').toStdString();
    const QStringList operating =
        operatingPointLines(predictPerformance(run), Language::English, run.imperial);
    ASSERT_EQ(operating.size(), 5);
    for (const QString& line : operating)
        EXPECT_TRUE(texts.contains(line)) << line.toStdString();
    EXPECT_EQ(texts.filter(QRegularExpression("^Program's default: CL0\u00a00.\\d+, CL_a")).size(),
              2); // both reports

    // Two views that fit half the width stand side by side, else one above the other.
    for (const auto& [topWidth, sideWidth, sideBySide] :
         {std::tuple{100, 100, true}, {5000, 100, false}, {100, 5000, false}}) {
        RunResults narrow = run;
        narrow.topPicture = QImage(topWidth, 400, QImage::Format_RGB32);
        narrow.sidePicture = QImage(sideWidth, 400, QImage::Format_RGB32);
        std::vector<double> tops;
        const std::vector<ReportPage> laid = layoutReport(narrow, paper);
        for (const ReportItem& item : laid[0].items)
            if (item.kind == ReportItem::Kind::Picture)
                tops.push_back(item.rect.top());
        ASSERT_EQ(tops.size(), 2u);
        EXPECT_EQ(tops[0] == tops[1], sideBySide) << topWidth;
    }

    // A view wider than the pictures' box is shrunk to it, however low it is, each half keeping
    // its shade; a view that fits is copied as it is.
    QImage wide = testing::paintBand(1800, 100, 900, 1799, 0, 99);
    wide.setPixel(1, 1, qRgb(254, 254, 254)); // four pixels' mean 254.75, shown 254
    const QImage shrunk = reportPicture(PixelRows::of(wide));
    EXPECT_EQ(
        std::tuple(shrunk.size(), shrunk.pixel(0, 0), shrunk.pixel(449, 25), shrunk.pixel(450, 49)),
        std::tuple(QSize(900, 50), qRgb(254, 254, 254), qRgb(255, 255, 255), qRgb(0, 0, 0)));
    const QImage fits = wide.copy(850, 0, 100, 100);
    EXPECT_EQ(reportPicture(PixelRows::of(fits)), fits);
    // A corrected input shows what the run made of it.
    RunResults corrected = run;
    corrected.inputs.rpmText = QStringLiteral("0");
    corrected.inputs.rpmCorrected = true;
    corrected.inputs.revolutionsPerSecond = 1;
    const auto shows = [](const RunResults& r, const char* value) {
        const std::vector<ReportInput> lines = reportInputs(r);
        return std::any_of(lines.begin(), lines.end(), [value](const ReportInput& i) {
            return i.value == QString::fromUtf8(value);
        });
    };
    EXPECT_TRUE(shows(corrected, "0\u00a01/min  →  60\u00a01/min"));
    EXPECT_TRUE(shows(runs()[1], "50\u00a0mph  →  22.35\u00a0m/s"));
    // Some German labels are longer than half a column: they wrap, and the values keep the
    // rest of it (beyond the label's half and a 3 mm gap).
    RunResults german = run;
    german.language = Language::German;
    const std::vector<ReportPage> inGerman = layoutReport(german, paper);
    QMap<QString, double> left;
    for (const ReportItem& item : inGerman[0].items)
        left[item.text] = item.rect.left();
    const double column = left["Propellerdrehzahl"] - left["Durchmesser"];
    EXPECT_LE(left["0.185\u00a0m"] - left["Durchmesser"], column / 2 + 3 * mm);
    QStringList lastPage;
    for (const ReportItem& item : inGerman.back().items)
        lastPage << item.text + item.plot.title;
    for (const char* word : {"Leistung", "Bl\u00e4tter", "Wirkungsgrad"})
        EXPECT_TRUE(lastPage.contains(QString::fromUtf8(word))) << word;

    const QByteArray pdf = exportBytes(run, QStringLiteral("report.pdf"));
    // (Further: ReportSaysWhatWasDoneInItsLanguageAndDrawsTheViewsAtOneScale.)
    EXPECT_EQ(std::tuple(pdf.startsWith("%PDF-"), pdf.count("/Type /Page\n")), std::tuple(true, 3));
    const auto stored = [&pdf](const char* key, const QString& value) { // as UTF-16 texts
        QByteArray text = QByteArray(key) + " (\xFE\xFF";
        for (const QChar c : value)
            text.append('\0').append(char(c.unicode()));
        return pdf.contains(text + ')');
    };
    EXPECT_TRUE(stored("/Title", "Blade measurement report") && stored("/Creator", "Bladetrace"));
}

// The inputs say how the threshold came about and what span matching did, in the record's
// language, each value kept on one line with its unit however narrow the column; the two
// views of one span are drawn equally wide, whatever their heights.
TEST(Export, ReportSaysWhatWasDoneInItsLanguageAndDrawsTheViewsAtOneScale) {
    const QSize a4 = QPageSize(QPageSize::A4).sizePixels(100);
    QImage paper(a4, QImage::Format_RGB32);
    paper.setDotsPerMeterX(3937);
    paper.setDotsPerMeterY(3937);
    RunResults matched = runs()[1]; // imperial: "111.85 mph  →  50.00 m/s" and longer
    matched.inputs.autoThreshold = true;
    matched.inputs.threshold = 127;
    matched.inputs.spanMatching = true;
    matched.inputs.scaledView = ScaledView::Side;
    matched.inputs.spanScale = 1.0115;
    matched.inputs.velocityText = "111.85";
    RunResults agreeing = matched;
    agreeing.inputs.scaledView = ScaledView::None;
    const struct {
        const char* name;
        const RunResults& run;
        Language language;
        QString thresholdLabel, threshold, spansLabel, spans;
    } cases[] = {
        {"Auto, side view scaled", matched, Language::English, "White threshold",
         "127 (Auto: suggested from the two images)", "Match spans",
         "on: side view scaled by 1.0115"},
        {"German", matched, Language::German, QString::fromUtf8("Weißabgleich"),
         "127 (Auto: aus den beiden Bildern vorgeschlagen)", "Spannweiten angleichen",
         "ein: Seitenansicht skaliert mit 1.0115"},
        {"spans agreed", agreeing, Language::English, "White threshold",
         "127 (Auto: suggested from the two images)", "Match spans", "on: spans already agree"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RunResults r = c.run;
        r.language = c.language;
        QMap<QString, QString> inputs;
        for (const ReportInput& line : reportInputs(r))
            inputs[line.label] = line.value;
        EXPECT_EQ(inputs.value(c.thresholdLabel), c.threshold);
        EXPECT_EQ(inputs.value(c.spansLabel), c.spans);
        // No line of any value is a unit alone, at the value's width on the page.
        const std::vector<ReportPage> pages = layoutReport(r, paper);
        for (const ReportItem& item : pages[0].items) {
            if (item.kind != ReportItem::Kind::Text || item.rect.width() <= 0)
                continue;
            QTextLayout layout(item.text, item.font, &paper);
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(item.rect.width());
                const QString shown = item.text.mid(line.textStart(), line.textLength()).trimmed();
                EXPECT_FALSE(
                    QRegularExpression("^(m|m/s|mph|inch|1/min|%)$").match(shown).hasMatch())
                    << item.text.toStdString();
            }
            layout.endLayout();
        }
    }

    // Both views of the run are 420 columns wide, 80 and 60 rows high: one scale, one width.
    std::vector<QRectF> views;
    const std::vector<ReportPage> pages = layoutReport(runs()[0], paper);
    for (const ReportItem& item : pages[0].items)
        if (item.kind == ReportItem::Kind::Picture)
            views.push_back(item.rect);
    ASSERT_EQ(views.size(), 2u);
    EXPECT_DOUBLE_EQ(views[0].width(), views[1].width());
    EXPECT_DOUBLE_EQ(views[0].height() / views[1].height(), 80.0 / 60.0);
    // Views too large for the report are shrunk by one factor.
    const QImage top = testing::paintBand(3000, 300, 10, 2989, 100, 200);
    const QImage side = testing::paintBand(3000, 200, 10, 2989, 80, 120);
    const auto [topCopy, sideCopy] = reportPictures(PixelRows::of(top), PixelRows::of(side));
    EXPECT_EQ(std::pair(topCopy.size(), sideCopy.size()),
              std::pair(QSize(900, 90), QSize(900, 60)));
}

} // namespace
} // namespace bladetrace
