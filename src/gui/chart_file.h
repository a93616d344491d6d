#pragma once

#include "export/plot_painter.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace bladetrace {

// A chart saved on its own: a picture or a drawing, by the file's extension.
enum class ChartFileFormat {
    Png, // .png
    Svg, // .svg
};

// The format a file name asks for, in any case; none for another extension.
std::optional<ChartFileFormat> chartFileFormatFor(const QString& fileName);

// The plot on white paper, 8 by 6 inches: a PNG picture at 150 dpi or an SVG drawing.
QByteArray chartFileBytes(const Plot& plot, ChartFileFormat format);

} // namespace bladetrace
