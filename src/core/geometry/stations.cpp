#include "geometry/stations.h"

#include "base/checked_math.h"
#include "geometry/station_layout.h"
#include "text/units.h"

#include <cmath>

namespace bladetrace {
namespace {

StationEdges columnEdges(const StationInputs& in, int column) {
    const auto c = std::size_t(column);
    return {in.top.xLE[c], in.top.xTE[c], in.side.xLE[c], in.side.xTE[c]};
}

// Sums in single precision, as the means were always taken.
StationEdges windowMeans(const StationInputs& in, int start, int w) {
    float sums[4] = {0, 0, 0, 0};
    for (int c = start; c < start + w; ++c) {
        const StationEdges e = columnEdges(in, c);
        sums[0] += e.topLE;
        sums[1] += e.topTE;
        sums[2] += e.sideLE;
        sums[3] += e.sideTE;
    }
    return {toSingle(double(sums[0]) / w), toSingle(double(sums[1]) / w),
            toSingle(double(sums[2]) / w), toSingle(double(sums[3]) / w)};
}

class StationStage {
public:
    StationStage(const StationInputs& in, StationSink& sink, int count)
        : in_(in), sink_(sink), table_(count), R_(double(in.Diameter) / 2.0) {
        table_.Count = count;
    }

    void compute(int s, StationKind kind, float r, const StationEdges& e) {
        const StationResult result =
            computeStation(s, kind, r, e, R_, in_.dRPS, in_.dVelocity, sink_.imperialUnits());
        const auto i = std::size_t(s);
        table_.Beta[i] = result.Beta;
        table_.Chord[i] = result.Chord;
        table_.XLE[i] = e.topLE;
        table_.ZLE[i] = e.sideLE;
        sink_.stationComputed(result.row);
    }

    StationTable take() { return std::move(table_); }

private:
    const StationInputs& in_;
    StationSink& sink_;
    StationTable table_;
    double R_;
};

} // namespace

StationResult computeStation(int s, StationKind kind, float r, const StationEdges& e, double R,
                             double dRPS, double dVelocity, bool imperial) {
    const float dTop = e.topTE - e.topLE;
    const float dSide = e.sideTE - e.sideLE;
    double beta;
    if (kind == StationKind::FirstTip)
        beta = std::fabs(dTop) > 1e-12 ? std::atan(double(dSide) / dTop) : std::atan(9999.9);
    else
        beta = dTop != 0 ? std::atan(double(dSide) / dTop) : 2.0 * std::atan(1.0);
    const double c = std::sqrt(double(dTop) * dTop + double(dSide) * dSide);

    StationResult result{toSingle(beta), toSingle(c), {}};
    const double circumferential = std::fabs(r) * (dRPS * kTwoPi);
    const double speed =
        checkedFinite(std::sqrt(circumferential * circumferential + dVelocity * dVelocity));

    StationRow& row = result.row;
    row.number = s + 1;
    row.rOverR = r / R;
    row.cOverR = result.Chord / R;
    row.betaDeg = beta * 180.0 / kPi;
    row.reynolds = checkedFinite(speed * dTop * 70000.0);
    row.mach = speed / 340.0;

    // Inches go through metres-per-thousand, so that the millimetre formulas apply.
    float rLength = r;
    float cHeight = dTop;
    if (imperial) {
        rLength = toSingle(double(r) / 1000.0 / kMetresPerInch);
        cHeight = toSingle(double(e.topTE) / 1000.0 / kMetresPerInch) -
                  toSingle(double(e.topLE) / 1000.0 / kMetresPerInch);
    }
    row.r = 1000.0 * rLength;
    row.c = 1000.0 * cHeight;
    row.pitch = checkedFinite(std::fabs(rLength) * std::tan(beta) * kPi * 2000.0);
    return result;
}

StationTable computeStations(const StationInputs& in, StationSink& sink) {
    const int Ut = in.top.last();
    const StationLayout layout = layoutStations(Ut, in.side.last());
    const double D = in.Diameter;
    StationStage stage(in, sink, layout.count());

    stage.compute(0, StationKind::FirstTip, toSingle((0.0 / Ut - 0.5) * D), columnEdges(in, 0));
    for (int window = 0; window < layout.windows; ++window) {
        const int j = layout.windowStart(window);
        // The centre lies half a column beyond the window's middle, as it always has.
        const float r = toSingle(((j + layout.w / 2.0) / Ut - 0.5) * D);
        stage.compute(window + 1, StationKind::Window, r, windowMeans(in, j, layout.w));
    }
    const int N = layout.N;
    stage.compute(layout.count() - 1, StationKind::LastTip, toSingle((double(N) / N - 0.5) * D),
                  columnEdges(in, N));
    return stage.take();
}

} // namespace bladetrace
