#pragma once

#include "base/language.h"
#include "export/performance_prediction.h"

#include <QWidget>
#include <optional>

class QLabel;
class QPushButton;

namespace bladetrace {

class PlotView;

// The "Performance" tab's page, on white paper like the charts: CT and CP over J above the
// efficiency, each with the operating point marked, and under them the operating point in
// words beside the button for the blades and the polar. Before a run it says that the
// prediction follows one.
class PerformancePage : public QWidget {
    Q_OBJECT
public:
    explicit PerformancePage(QWidget* parent = nullptr);

    // No run yet.
    void setInitial();
    void fill(const PerformancePrediction& prediction);
    // Headings and words follow the window's language, thrust and speeds its units.
    void setLanguage(Language language);
    void setImperial(bool imperial);

    const std::optional<PerformancePrediction>& prediction() const { return prediction_; }
    // The curve as the performance table in the units shown; empty before a run.
    QString tableText() const;

    PlotView* ctlCoefficientsGraph;
    PlotView* ctlEfficiencyGraph;
    QLabel* lblOperatingPoint;
    QPushButton* btnPerfSettings;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void replot();
    void arrange();

    std::optional<PerformancePrediction> prediction_;
    Language language_ = Language::English;
    bool imperial_ = false;
};

} // namespace bladetrace
