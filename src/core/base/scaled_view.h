#pragma once

namespace bladetrace {

// The view that span matching scaled up to the other's span, if any: the preparation does
// it, the run's record keeps it for the report.
enum class ScaledView { None, Top, Side };

} // namespace bladetrace
