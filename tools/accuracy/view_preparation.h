#pragma once

#include <QImage>
#include <QString>

namespace bladetrace::accuracy {

// A published photograph as a scan: 8-bit grey, transparent parts shown on white paper.
QImage greyOnWhite(const QImage& image);

// Halfway between the paper's grey and the blade's, each the most frequent grey of its half
// of the scale: the grey at which an edge that blurs over a few pixels is half blade.
int midwayThreshold(const QImage& grey);

// First and last column holding a pixel at or below the threshold, as the scanner finds
// the blade; the span is last - first.
struct ColumnRange {
    int first = -1;
    int last = -1;
    int span() const { return last - first; }
};
ColumnRange darkColumns(const QImage& grey, int threshold);

// The box around every dark pixel, with `margin` pixels of paper around it (white where the
// photograph ends).
QImage cropToBlade(const QImage& grey, int threshold, int margin);

// Both views cropped to the blade; the one with the shorter span scaled up, the same in both
// directions with smooth filtering, until the spans differ by at most a column.
struct PreparedPair {
    QImage top;
    QImage side;
    ColumnRange topBlade;
    ColumnRange sideBlade;
    double scale = 1; // applied to the scaled view
    bool sideScaled = true;
    QString error; // empty unless no match was found
};
PreparedPair preparePair(const QImage& top, const QImage& side, int threshold, int margin);

} // namespace bladetrace::accuracy
