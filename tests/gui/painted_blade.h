#pragma once

#include <QString>

namespace bladetrace::test {

enum class View { Top, Side };

// A dark two-bladed propeller on white paper, span horizontal, blade in columns first to
// last inclusive; the top view shows the chord, the side view the blade's depth.
// Saved in the format the file name's suffix names; returns the path.
QString paintBlade(const QString& path, View view, int first, int last, int height = 120);

} // namespace bladetrace::test
