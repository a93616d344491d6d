#pragma once

#include "export/plot_painter.h"

#include <QImage>
#include <QWidget>

namespace bladetrace {

// Any Plot on white paper, painted by the same painter as the saved charts and the report, so
// the screen shows what leaves the window. Every size follows the paper's type on the screen;
// the view keeps the plot, and a paint only lays it out for the current size.
class PlotView : public QWidget {
    Q_OBJECT
public:
    explicit PlotView(QWidget* parent = nullptr);

    void setPlot(Plot plot);
    const Plot& plot() const { return plot_; }

    // The view as the screen shows it.
    QImage picture();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Plot plot_;
};

} // namespace bladetrace
