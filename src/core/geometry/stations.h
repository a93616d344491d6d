#pragma once

#include "geometry/edge_arrays.h"
#include "geometry/station_table.h"

namespace bladetrace {

// The nine values of one spreadsheet row. Lengths are in millimetres, or in inches when the
// units box was ticked as the row was built; the rest does not depend on the unit system.
struct StationRow {
    int number{};      // 1 for the first tip
    double rOverR{};   // signed, -1 at the first tip
    double cOverR{};   // true chord over radius
    double r{};        // signed radius
    double c{};        // top-view chord height
    double betaDeg{};  // blade angle
    double pitch{};    // geometric pitch H
    double reynolds{}; // Re
    double mach{};     // Ma
};

// Where the station stage sends each row, before it computes the next station.
class StationSink {
public:
    virtual ~StationSink() = default;
    // The unit check box, read afresh for every row.
    virtual bool imperialUnits() = 0;
    virtual void stationComputed(const StationRow& row) = 0;
};

struct StationInputs {
    const EdgeArrays& top;
    const EdgeArrays& side;
    float Diameter;   // metres
    double dRPS;      // revolutions per second
    double dVelocity; // metres per second
};

// The four edge values of one station (metres): a single column or a window's means.
struct StationEdges {
    float topLE, topTE, sideLE, sideTE;
};

enum class StationKind { FirstTip, Window, LastTip };

// One station's results: the table entries (blade angle, true chord in single precision)
// and its spreadsheet row. r is the signed radius in metres, R the radius.
struct StationResult {
    float Beta;
    float Chord;
    StationRow row;
};
StationResult computeStation(int s, StationKind kind, float r, const StationEdges& e, double R,
                             double dRPS, double dVelocity, bool imperial);

// Lays out the stations across the whole diameter and computes each one: chord, blade
// angle, leading-edge positions into the table, the row values to the sink. Fails with the
// error value on arithmetic overflow or a blade too narrow to measure.
StationTable computeStations(const StationInputs& in, StationSink& sink);

} // namespace bladetrace
