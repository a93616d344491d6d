#include "geometry/station_layout.h"

#include "base/app_error.h"
#include "geometry/min.h"

#include <QString>
#include <cmath>

namespace bladetrace {

StationLayout layoutStations(int Ut, int Us) {
    StationLayout layout;
    layout.N = Min(Ut, Us);
    // nearbyint under the default rounding mode: an exact half goes to the even neighbour.
    layout.w = int(std::nearbyint(double(layout.N + 1) / 40.0));
    if (layout.w <= 0)
        fail(errc::kDivisionByZero,
             QStringLiteral("The blade is too narrow to measure: it spans %1 pixel columns, "
                            "at least 21 are needed")
                 .arg(layout.N + 1));
    layout.windows = (layout.N + 1) / layout.w;
    return layout;
}

} // namespace bladetrace
