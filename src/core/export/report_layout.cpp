#include "export/report_layout.h"

#include "base/app_info.h"
#include "export/performance_prediction.h"
#include "export/report_inputs.h"
#include "text/added_strings.h"
#include "text/string_table.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <limits>
#include <numeric>

namespace bladetrace {
namespace {

// Millimetres on the page.
constexpr double kMarginSide = 18;
constexpr double kMarginTop = 15;
constexpr double kMarginBottom = 20;
constexpr double kFooterFromBottom = 10;
constexpr double kGap = 4;
constexpr double kPictureHeight = 30;
constexpr double kLeastPictureHeight = 15;
constexpr double kChartHeight = 62;      // one chart per block when they do not share a page
constexpr double kLeastChartHeight = 48; // three charts share the rest of a page down to this
constexpr double kMostChartHeight = 75;
constexpr double kCellPad = 1.2;

// Points.
constexpr double kTitleSize = 15;
constexpr double kHeadingSize = 10.5;
constexpr double kBodySize = 9;
constexpr double kTableSize = 8;
constexpr double kSmallSize = 7.5;
constexpr double kSmallestTableSize = 5;

const QColor kMuted(0x60, 0x60, 0x60);
const QColor kRule(0x90, 0x90, 0x90);
const QColor kBand(0xf0, 0xf2, 0xf5);

QString versionText() {
    const AppVersion v = appVersion();
    return appTitle() + QStringLiteral(" %1.%2.%3").arg(v.major).arg(v.minor).arg(v.revision);
}

class Composer {
public:
    Composer(const RunResults& results, QPaintDevice& device)
        : results_(results), device_(device), dpi_(device.logicalDpiY()), left_(mm(kMarginSide)),
          right_(device.width() - mm(kMarginSide)), top_(mm(kMarginTop)),
          bottom_(device.height() - mm(kMarginBottom)) {}

    std::vector<ReportPage> compose() {
        newPage();
        header();
        inputs();
        pictures();
        charts();
        sheet();
        performance();
        footers();
        return std::move(pages_);
    }

private:
    double mm(double millimetres) const { return millimetres * dpi_ / 25.4; }
    double width() const { return right_ - left_; }

    QFont font(double points, bool bold = false) const {
        QFont f;
        f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                       QStringLiteral("DejaVu Sans")});
        f.setStyleHint(QFont::SansSerif);
        f.setPointSizeF(points);
        f.setBold(bold);
        return f;
    }
    QFontMetricsF metrics(const QFont& f) const { return QFontMetricsF(f, &device_); }
    double textWidth(const QFont& f, const QString& text) const {
        return metrics(f).horizontalAdvance(text);
    }
    double textHeight(const QFont& f, double wrapWidth, const QString& text, int flags) const {
        return metrics(f).boundingRect(QRectF(0, 0, wrapWidth, 1e9), flags, text).height();
    }

    void newPage() {
        pages_.emplace_back();
        page_ = pages_.size() - 1;
        y_ = top_;
    }
    // A block that does not fit below what is on the page starts the next one.
    void keep(double height) {
        if (y_ + height > bottom_ && y_ > top_)
            newPage();
    }

    void text(const QRectF& rect, const QString& text, const QFont& f, int flags,
              const QColor& colour = kInk) {
        ReportItem item;
        item.rect = rect;
        item.text = text;
        item.font = f;
        item.flags = flags;
        item.colour = colour;
        add(std::move(item));
    }
    void add(ReportItem item) { pages_[page_].items.push_back(std::move(item)); }
    void fill(const QRectF& rect, const QColor& colour) {
        ReportItem item;
        item.kind = ReportItem::Kind::Fill;
        item.rect = rect;
        item.colour = colour;
        add(std::move(item));
    }
    void rule(double y, double thickness = 0.25) {
        fill(QRectF(left_, y, width(), mm(thickness)), kRule);
    }

    void heading(const QString& title) {
        const QFont f = font(kHeadingSize, true);
        const double h = metrics(f).height();
        text(QRectF(left_, y_, width(), h), title, f, Qt::AlignLeft | Qt::AlignVCenter);
        y_ += h + mm(1.5);
    }

    void header() {
        const QFont title = font(kTitleSize, true);
        const double titleHeight = metrics(title).height();
        text(QRectF(left_, y_, width(), titleHeight),
             LoadLangResString(results_.language, str::kReportTitle), title,
             Qt::AlignLeft | Qt::AlignVCenter);
        y_ += titleHeight + mm(1);
        const QFont body = font(kBodySize);
        const double h = metrics(body).height();
        text(QRectF(left_, y_, width(), h), versionText(), body, Qt::AlignLeft | Qt::AlignVCenter,
             kMuted);
        text(QRectF(left_, y_, width(), h),
             LoadLangResString(results_.language, str::kReportMeasured) + QLatin1Char(' ') +
                 results_.completed.toString(QStringLiteral("yyyy-MM-dd HH:mm")),
             body, Qt::AlignRight | Qt::AlignVCenter, kMuted);
        y_ += h + mm(2);
        rule(y_, 0.4);
        y_ += mm(kGap);
    }

    // File names take whole lines; the other inputs stand in two columns.
    void inputs() {
        keep(metrics(font(kBodySize, true)).height() * 6);
        heading(LoadLangResString(results_.language, str::kReportInputs));
        inputLines(reportInputs(results_), Qt::TextWrapAnywhere);
    }

    // Label and value lines: the wide ones across the page, wrapped as `wideWrap` says, the
    // others in two columns.
    void inputLines(std::vector<ReportInput> lines, int wideWrap) {
        std::vector<ReportInput> wide;
        std::vector<ReportInput> pairs;
        for (ReportInput& line : lines)
            (line.wide ? wide : pairs).push_back(std::move(line));
        const QFont label = font(kBodySize, true);
        const double column = (width() - mm(kGap)) / 2;
        // The wide lines' labels line up with the left column's.
        double labels[2] = {};
        for (const ReportInput& line : wide)
            labels[0] = std::max(labels[0], textWidth(label, line.label));
        for (std::size_t i = 0; i < pairs.size(); ++i)
            labels[i % 2] = std::max(labels[i % 2], textWidth(label, pairs[i].label));
        for (double& w : labels)
            w = std::min(w, column / 2);
        const double spacing = mm(1.2);
        for (const ReportInput& line : wide)
            y_ += input(left_, width(), labels[0], line, wideWrap) + spacing;
        for (std::size_t i = 0; i < pairs.size(); i += 2) {
            double h = input(left_, column, labels[0], pairs[i], Qt::TextWordWrap);
            if (i + 1 < pairs.size())
                h = std::max(h, input(left_ + column + mm(kGap), column, labels[1], pairs[i + 1],
                                      Qt::TextWordWrap));
            y_ += h + spacing;
        }
        y_ += mm(kGap);
    }

    // A label and its value at the top of a cell `cellWidth` wide; returns their height.
    double input(double x, double cellWidth, double labelWidth, const ReportInput& line, int wrap) {
        const QFont label = font(kBodySize, true);
        const QFont value = font(kBodySize);
        const int flags = Qt::AlignLeft | Qt::AlignTop | wrap;
        const double valueX = x + labelWidth + mm(3);
        const double valueWidth = x + cellWidth - valueX;
        const double h = std::max(textHeight(label, labelWidth, line.label, flags),
                                  textHeight(value, valueWidth, line.value, flags));
        text(QRectF(x, y_, labelWidth, h), line.label, label, flags, kMuted);
        text(QRectF(valueX, y_, valueWidth, h), line.value, value, flags);
        return h;
    }

    // The views shrink, down to a limit, until the three charts fit below them.
    void pictures() {
        const double charts = double(results_.charts.size()) * mm(kLeastChartHeight + kGap);
        double cap = mm(kPictureHeight);
        while (cap > mm(kLeastPictureHeight) && y_ + views(cap, false) + charts > bottom_)
            cap -= mm(1);
        views(cap, true);
    }

    // Each view with its caption, both at one scale (the record's copies share one), the
    // larger at most the page's width wide and `cap` high; two views that fit half the width
    // stand side by side. Places them, or only returns their height.
    double views(double cap, bool place) {
        const double start = y_;
        const QFont caption = font(kSmallSize);
        const double captionHeight = metrics(caption).height() + mm(0.8);
        const QImage* pictures[2] = {&results_.topPicture, &results_.sidePicture};
        double scale = std::numeric_limits<double>::infinity();
        for (const QImage* picture : pictures) {
            if (!picture->isNull())
                scale = std::min({scale, width() / picture->width(), cap / picture->height()});
        }
        const auto fitted = [&](int v) {
            return pictures[v]->isNull() ? QSizeF(0, 0) : QSizeF(pictures[v]->size()) * scale;
        };
        const double half = (width() - mm(kGap)) / 2;
        const bool sideBySide = fitted(0).width() <= half && fitted(1).width() <= half;
        double rowHeight = 0;
        for (int v = 0; v < 2; ++v) {
            if (pictures[v]->isNull())
                continue;
            const QSizeF size = fitted(v);
            rowHeight = std::max(rowHeight, captionHeight + size.height());
            if (place) {
                const double x = sideBySide && v == 1 ? left_ + half + mm(kGap) : left_;
                if (!sideBySide || v == 0)
                    keep(captionHeight + size.height());
                const double y = y_;
                const QString file = v == 0 ? results_.inputs.topFile : results_.inputs.sideFile;
                text(QRectF(x, y, sideBySide ? half : width(), captionHeight),
                     reportLabel(results_.language, v == 0 ? str::kTopImage : str::kSideImage) +
                         QStringLiteral(": ") + QFileInfo(file).fileName(),
                     caption, Qt::AlignLeft | Qt::AlignTop, kMuted);
                ReportItem item;
                item.kind = ReportItem::Kind::Picture;
                item.rect = QRectF(QPointF(x, y + captionHeight), size);
                item.picture = *pictures[v];
                add(std::move(item));
            }
            if (!sideBySide || v == 1) {
                y_ += rowHeight + mm(kGap);
                rowHeight = 0;
            }
        }
        const double height = y_ - start;
        if (!place)
            y_ = start;
        return height;
    }

    // The prediction on a page of its own: what it was made with, the operating point in
    // words, and the coefficients and the efficiency over J, as tall as the charts above.
    void performance() {
        const PerformancePrediction prediction = predictPerformance(results_);
        newPage();
        heading(LoadLangResString(results_.language, str::kPerformance));
        inputLines(reportPerformanceInputs(results_), Qt::TextWordWrap);
        const QFont body = font(kBodySize);
        const QStringList lines =
            operatingPointLines(prediction, results_.language, results_.imperial);
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
        for (int i = 0; i < lines.size(); ++i) {
            const double indent = i == 0 ? 0.0 : mm(kGap);
            const double h = textHeight(body, width() - indent, lines[i], flags);
            text(QRectF(left_ + indent, y_, width() - indent, h), lines[i],
                 i == 0 ? font(kBodySize, true) : body, flags);
            y_ += h + mm(0.6);
        }
        y_ += mm(kGap);
        if (prediction.curve.empty())
            return;
        const double height =
            std::clamp((bottom_ - y_) / 2 - mm(kGap), mm(kLeastChartHeight), mm(kMostChartHeight));
        for (const PerformanceChart chart :
             {PerformanceChart::Coefficients, PerformanceChart::Efficiency}) {
            keep(height);
            ReportItem item;
            item.kind = ReportItem::Kind::Plot;
            item.rect = QRectF(left_, y_, width(), height);
            item.font = font(kSmallSize + 0.5);
            item.plot = performancePlot(prediction, chart, results_.language);
            add(std::move(item));
            y_ += height + mm(kGap);
        }
    }

    // The three charts one under the other share an r/R scale; they take the rest of the
    // page when that leaves them tall enough.
    void charts() {
        const double count = double(results_.charts.size());
        const double shared = (bottom_ - y_) / count - mm(kGap);
        const double height = shared >= mm(kLeastChartHeight)
                                  ? std::min(shared, mm(kMostChartHeight))
                                  : mm(kChartHeight);
        for (const ChartSeries& series : results_.charts) {
            keep(height);
            ReportItem item;
            item.kind = ReportItem::Kind::Plot;
            item.rect = QRectF(left_, y_, width(), height);
            item.font = font(kSmallSize + 0.5);
            item.plot = chartPlot(series, chartHeading(series, results_.language));
            add(std::move(item));
            y_ += height + mm(kGap);
        }
    }

    // The sheet as the window shows it, with the units of its lengths in a second header
    // line. The type shrinks until the widest cell of every column fits.
    void sheet() {
        const QString length = results_.imperial ? QStringLiteral("inch") : QStringLiteral("mm");
        const QStringList units = {QString(), QString(), QString(),
                                   length,    length,    QString(QChar(0x00B0)),
                                   length,    QString(), QString()};
        const int columns = int(results_.sheetHeader.size());
        double points = kTableSize;
        std::vector<double> widths;
        for (;; points -= 0.5) {
            widths = columnWidths(points, units);
            if (points <= kSmallestTableSize ||
                std::accumulate(widths.begin(), widths.end(), 0.0) <= width())
                break;
        }
        const double spare = width() - std::accumulate(widths.begin(), widths.end(), 0.0);
        for (double& w : widths)
            w += std::max(0.0, spare) / columns;

        const QFont cell = font(points);
        const QFont bold = font(points, true);
        const double rowHeight = metrics(cell).height() * 1.4;
        const double headingHeight = metrics(font(kHeadingSize, true)).height() + mm(1.5);
        const double whole = headingHeight + rowHeight * double(2 + results_.sheetRows.size());
        if (y_ + whole > bottom_ && top_ + whole <= bottom_)
            newPage();
        keep(headingHeight + rowHeight * 3);
        heading(reportLabel(results_.language, str::kTabSheet));
        const auto headerRows = [&] {
            row(results_.sheetHeader, widths, bold, rowHeight);
            row(units, widths, cell, rowHeight, kMuted);
            rule(y_);
        };
        headerRows();
        for (std::size_t r = 0; r < results_.sheetRows.size(); ++r) {
            if (y_ + rowHeight > bottom_) {
                rule(y_);
                newPage();
                headerRows();
            }
            if (r % 2 == 1)
                fill(QRectF(left_, y_, width(), rowHeight), kBand);
            row(results_.sheetRows[r], widths, cell, rowHeight);
        }
        rule(y_);
    }

    std::vector<double> columnWidths(double points, const QStringList& units) const {
        const QFont cell = font(points);
        const QFont bold = font(points, true);
        std::vector<double> widths;
        for (int c = 0; c < results_.sheetHeader.size(); ++c) {
            double w =
                std::max(textWidth(bold, results_.sheetHeader[c]), textWidth(cell, units.value(c)));
            for (const QStringList& cells : results_.sheetRows)
                w = std::max(w, textWidth(cell, cells.value(c)));
            widths.push_back(w + 2 * mm(kCellPad));
        }
        return widths;
    }

    void row(const QStringList& cells, const std::vector<double>& widths, const QFont& f,
             double height, const QColor& colour = kInk) {
        double x = left_;
        for (std::size_t c = 0; c < widths.size(); ++c) {
            const QRectF box(x + mm(kCellPad), y_, widths[c] - 2 * mm(kCellPad), height);
            text(box, cells.value(int(c)), f, Qt::AlignRight | Qt::AlignVCenter, colour);
            x += widths[c];
        }
        y_ += height;
    }

    void footers() {
        const QFont small = font(kSmallSize);
        const double h = metrics(small).height();
        const double y = device_.height() - mm(kFooterFromBottom) - h;
        const QString left = versionText() + QStringLiteral("  \u00b7  ") +
                             QFileInfo(results_.inputs.topFile).fileName() + QStringLiteral(" / ") +
                             QFileInfo(results_.inputs.sideFile).fileName();
        const int count = int(pages_.size());
        for (int p = 0; p < count; ++p) {
            page_ = std::size_t(p);
            const QString number =
                LoadLangResString(results_.language, str::kReportPage).arg(p + 1).arg(count);
            const double numberWidth = textWidth(small, number) + mm(2);
            fill(QRectF(left_, y - mm(1.5), width(), mm(0.2)), kRule);
            text(QRectF(left_, y, width() - numberWidth, h),
                 metrics(small).elidedText(left, Qt::ElideMiddle, width() - numberWidth), small,
                 Qt::AlignLeft | Qt::AlignVCenter, kMuted);
            text(QRectF(right_ - numberWidth, y, numberWidth, h), number, small,
                 Qt::AlignRight | Qt::AlignVCenter, kMuted);
        }
    }

    const RunResults& results_;
    QPaintDevice& device_;
    const double dpi_;
    const double left_;
    const double right_;
    const double top_;
    const double bottom_;
    double y_ = 0;
    std::vector<ReportPage> pages_;
    std::size_t page_ = 0; // where text and fills go
};

} // namespace

std::vector<ReportPage> layoutReport(const RunResults& results, QPaintDevice& device) {
    return Composer(results, device).compose();
}

void paintReportPage(QPainter& painter, const ReportPage& page) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const ReportItem& item : page.items) {
        switch (item.kind) {
        case ReportItem::Kind::Text:
            painter.setFont(item.font);
            painter.setPen(item.colour);
            painter.drawText(item.rect, item.flags, item.text);
            break;
        case ReportItem::Kind::Picture:
            painter.drawImage(item.rect, item.picture);
            painter.setPen(QPen(kRule, 0));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(item.rect);
            break;
        case ReportItem::Kind::Plot:
            paintPlot(painter, item.rect, item.plot, item.font);
            break;
        case ReportItem::Kind::Fill:
            painter.fillRect(item.rect, item.colour);
            break;
        }
    }
    painter.restore();
}

} // namespace bladetrace
