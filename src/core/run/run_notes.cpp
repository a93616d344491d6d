#include "run/run_notes.h"

#include "text/number_format.h"
#include "text/string_table.h"

namespace bladetrace {

bool viewsLookSwapped(const ChartSeries& twist) {
    bool outboard = false;
    for (int i = 0; i < twist.rows(); ++i) {
        const auto n = std::size_t(i);
        if (twist.x[n] < kSwappedFromRR)
            continue;
        outboard = true;
        if (!(twist.y[n] > kSwappedAngleDegrees))
            return false;
    }
    return outboard;
}

QStringList runNotes(const RunFacts& facts, qint32 lLanguage) {
    const auto text = [lLanguage](qint16 id) { return LoadLangResString(lLanguage, id); };
    QStringList notes;
    if (viewsLookSwapped(facts.charts[kBetaChart]))
        notes << text(str::kNoteViewsSwapped).arg(formatFixed(kSwappedFromRR, 1));
    QStringList doubtful;
    if (facts.tipMach > 1)
        doubtful << text(str::kWarnTipMach).arg(formatSignificant(facts.tipMach, 3));
    if (facts.diameter > kLargestLikelyDiameter)
        doubtful << text(str::kWarnDiameter).arg(formatSignificant(facts.diameter, 4));
    if (facts.speed < 0)
        doubtful << text(str::kWarnNegativeSpeed).arg(formatSignificant(facts.speed, 4));
    if (!doubtful.isEmpty())
        notes << text(str::kWarning).arg(doubtful.join(QStringLiteral("; ")));
    return notes;
}

} // namespace bladetrace
