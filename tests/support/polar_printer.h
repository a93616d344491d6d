#pragma once

#include "settings/stored_settings.h"

#include <iomanip>
#include <ostream>

namespace bladetrace {

// GoogleTest prints a polar by QPROP's names, each value exactly.
inline void PrintTo(const Polar& polar, std::ostream* os) {
    *os << std::setprecision(17);
    for (const PolarField& field : kQpropPolarFields)
        *os << field.name << '=' << polar.*field.value << ' ';
    *os << "LiftReExp=" << polar.liftReExp;
}

} // namespace bladetrace
