#include "export/csv_export.h"

#include "export/folded_blade.h"
#include "text/number_format.h"

#include <QLocale>

namespace bladetrace {

QByteArray csvBytes(const RunResults& results, CsvStyle style) {
    const bool imperial = results.imperial;
    const QString unit = imperial ? QStringLiteral(" [in]") : QStringLiteral(" [m]");
    // Micrometres, or the nearest hundred-thousandth of an inch.
    const int lengthDecimals = imperial ? 5 : 6;
    const bool regional = style == CsvStyle::Regional;
    const QLocale locale = regional ? QLocale() : QLocale::c();
    const QChar separator = regional ? QLatin1Char(';') : QLatin1Char(',');
    QString text = QStringList{QStringLiteral("r/R"),        QStringLiteral("c/R"),
                               QStringLiteral("beta [deg]"), QStringLiteral("r") + unit,
                               QStringLiteral("c") + unit,   QStringLiteral("pitch") + unit}
                       .join(separator) +
                   QLatin1Char('\n');
    for (const BladeStation& s : foldedBlade(results, imperial)) {
        text += QStringList{formatFixed(s.rR, 6, locale),
                            formatFixed(s.cR, 6, locale),
                            formatFixed(s.betaDeg, 4, locale),
                            formatFixed(s.r, lengthDecimals, locale),
                            formatFixed(s.c, lengthDecimals, locale),
                            formatFixed(s.pitch, lengthDecimals, locale)}
                    .join(separator);
        text += QLatin1Char('\n');
    }
    return (regional ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + text.toUtf8();
}

} // namespace bladetrace
