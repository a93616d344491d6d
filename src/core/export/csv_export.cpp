#include "export/csv_export.h"

#include "export/folded_blade.h"
#include "text/number_format.h"

#include <QLocale>

namespace bladetrace {

QByteArray csvBytes(const RunResults& results) {
    const bool imperial = results.imperial;
    const QString unit = imperial ? QStringLiteral(" [in]") : QStringLiteral(" [m]");
    // Micrometres, or the nearest hundred-thousandth of an inch.
    const int lengthDecimals = imperial ? 5 : 6;
    const QLocale c = QLocale::c();
    QString text = QStringLiteral("r/R,c/R,beta [deg],r") + unit + QStringLiteral(",c") + unit +
                   QStringLiteral(",pitch") + unit + QLatin1Char('\n');
    for (const BladeStation& s : foldedBlade(results, imperial)) {
        text += QStringList{formatFixed(s.rR, 6, c),
                            formatFixed(s.cR, 6, c),
                            formatFixed(s.betaDeg, 4, c),
                            formatFixed(s.r, lengthDecimals, c),
                            formatFixed(s.c, lengthDecimals, c),
                            formatFixed(s.pitch, lengthDecimals, c)}
                    .join(QLatin1Char(','));
        text += QLatin1Char('\n');
    }
    return text.toUtf8();
}

} // namespace bladetrace
