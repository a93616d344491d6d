#include "performance_page.h"

#include "performance/performance_table.h"
#include "plot_view.h"
#include "text/added_strings.h"
#include "text/string_table.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace bladetrace {
namespace {

constexpr int kMarginPixels = 4;
// The operating point takes at most five lines (operatingPointLines).
constexpr int kWordLines = 5;

} // namespace

PerformancePage::PerformancePage(QWidget* parent)
    : QWidget(parent), ctlCoefficientsGraph(new PlotView(this)),
      ctlEfficiencyGraph(new PlotView(this)), lblOperatingPoint(new QLabel(this)),
      btnPerfSettings(new QPushButton(this)) {
    ctlCoefficientsGraph->setObjectName(QStringLiteral("ctlCoefficientsGraph"));
    ctlEfficiencyGraph->setObjectName(QStringLiteral("ctlEfficiencyGraph"));
    lblOperatingPoint->setObjectName(QStringLiteral("lblOperatingPoint"));
    btnPerfSettings->setObjectName(QStringLiteral("btnPerfSettings"));
    lblOperatingPoint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblOperatingPoint->setWordWrap(true);
    lblOperatingPoint->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPalette paper = palette();
    paper.setColor(QPalette::Window, Qt::white);
    paper.setColor(QPalette::WindowText, Qt::black);
    setPalette(paper);
    setAutoFillBackground(true);
    setInitial();
}

void PerformancePage::setInitial() {
    prediction_.reset();
    replot();
}

void PerformancePage::fill(const PerformancePrediction& prediction) {
    prediction_ = prediction;
    replot();
}

void PerformancePage::setLanguage(Language language) {
    language_ = language;
    btnPerfSettings->setText(LoadLangResString(language, str::kPerfSettings));
    replot();
    arrange();
}

void PerformancePage::setImperial(bool imperial) {
    imperial_ = imperial;
    replot();
}

QString PerformancePage::tableText() const {
    return prediction_ ? performanceCsv(prediction_->curve, imperial_) : QString();
}

// Before a run the plots show their headings over empty axes.
void PerformancePage::replot() {
    const PerformancePrediction shown = prediction_.value_or(PerformancePrediction{});
    ctlCoefficientsGraph->setPlot(
        performancePlot(shown, PerformanceChart::Coefficients, language_));
    ctlEfficiencyGraph->setPlot(performancePlot(shown, PerformanceChart::Efficiency, language_));
    lblOperatingPoint->setText(
        prediction_
            ? operatingPointLines(*prediction_, language_, imperial_).join(QLatin1Char('\n'))
            : LoadLangResString(language_, str::kPerfNoRun));
}

void PerformancePage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    arrange();
}

// The words and the button take a strip along the bottom; the two plots share the rest.
void PerformancePage::arrange() {
    const QSize button = btnPerfSettings->sizeHint();
    const int strip =
        std::max(kWordLines * lblOperatingPoint->fontMetrics().lineSpacing(), button.height());
    const int plots = std::max(0, height() - strip - 2 * kMarginPixels);
    ctlCoefficientsGraph->setGeometry(0, 0, width(), plots / 2);
    ctlEfficiencyGraph->setGeometry(0, plots / 2, width(), plots - plots / 2);
    const int top = plots + kMarginPixels;
    btnPerfSettings->setGeometry(std::max(0, width() - kMarginPixels - button.width()),
                                 top + strip - button.height(), button.width(), button.height());
    lblOperatingPoint->setGeometry(kMarginPixels, top,
                                   std::max(0, btnPerfSettings->x() - 2 * kMarginPixels), strip);
}

} // namespace bladetrace
