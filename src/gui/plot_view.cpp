#include "plot_view.h"

#include <QPainter>
#include <utility>

namespace bladetrace {

PlotView::PlotView(QWidget* parent) : QWidget(parent) {
    // The paper covers the whole view.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlotView::setPlot(Plot plot) {
    plot_ = std::move(plot);
    update();
}

QImage PlotView::picture() {
    return grab().toImage();
}

void PlotView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintPlotOnPaper(painter, size(), logicalDpiY(), plot_);
}

} // namespace bladetrace
