#include "export/published_table_export.h"

#include "export/folded_blade.h"
#include "text/number_format.h"

#include <QLocale>

namespace bladetrace {

QByteArray publishedTableBytes(const RunResults& results) {
    const QLocale c = QLocale::c();
    QString text = QStringLiteral("r/R c/R beta\n");
    for (const BladeStation& s : foldedBlade(results, false)) {
        text += formatFixed(s.rR, 4, c) + QLatin1Char(' ') + formatFixed(s.cR, 4, c) +
                QLatin1Char(' ') + formatFixed(s.betaDeg, 2, c) + QLatin1Char('\n');
    }
    return text.toUtf8();
}

} // namespace bladetrace
