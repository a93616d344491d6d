#pragma once

#include "export/plot_painter.h"
#include "results/run_results.h"

#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>
#include <vector>

class QPaintDevice;
class QPainter;

namespace bladetrace {

// One thing placed on a report page, in the device's pixels.
struct ReportItem {
    enum class Kind { Text, Picture, Plot, Fill };
    Kind kind = Kind::Text;
    QRectF rect;
    QString text;  // Text
    QFont font;    // Text, Plot
    int flags = 0; // Text: Qt::Alignment and Qt::TextFlag
    QColor colour; // Text, Fill
    QImage picture;
    Plot plot;
};

struct ReportPage {
    std::vector<ReportItem> items;
};

// The report on A4 pages the size and resolution of `device`: the program, version and
// date; the inputs; both views, small; the three charts; the spreadsheet, continued on the
// next page with its header where it does not fit; then, on a page of its own, the predicted
// performance: what it was made with, the operating point and its two charts. Text is
// measured on `device`.
std::vector<ReportPage> layoutReport(const RunResults& results, QPaintDevice& device);

void paintReportPage(QPainter& painter, const ReportPage& page);

} // namespace bladetrace
