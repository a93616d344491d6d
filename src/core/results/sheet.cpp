#include "results/sheet.h"

#include "text/number_format.h"

namespace bladetrace {

QStringList sheetHeaders() {
    return {QStringLiteral("No."), QStringLiteral("r/R"), QStringLiteral("c/R"),
            QStringLiteral("r"),   QStringLiteral("c"),   QString(QChar(0x00DF)),
            QStringLiteral("H"),   QStringLiteral("Re"),  QStringLiteral("Ma")};
}

QStringList sheetSampleTexts() {
    return {QStringLiteral("_100_"),        QStringLiteral("__1.0000__"),
            QStringLiteral("__1.0000__"),   QStringLiteral("__100.0000__"),
            QStringLiteral("__100.0000__"), QStringLiteral("__100.0000__"),
            QStringLiteral("__0.502__"),    QStringLiteral("__500000__"),
            QStringLiteral("__1.250__")};
}

QStringList sheetRowCells(const StationRow& row) {
    return {formatFixed(row.number, 0), formatFixed(row.rOverR, 4),   formatFixed(row.cOverR, 4),
            formatFixed(row.r, 4),      formatFixed(row.c, 4),        formatFixed(row.betaDeg, 4),
            formatFixed(row.pitch, 4),  formatFixed(row.reynolds, 0), formatFixed(row.mach, 2)};
}

} // namespace bladetrace
