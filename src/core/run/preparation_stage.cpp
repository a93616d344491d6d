#include "run/preparation_stage.h"

#include "prepare/span_matching.h"
#include "prepare/threshold_suggestion.h"
#include "text/number_format.h"
#include "text/string_table.h"

namespace bladetrace {

std::optional<QString> prepareViews(QImage& picTop, QImage& picSide, qint32& lThreshold,
                                    RunHost& host) {
    const auto text = [&host](qint16 id) { return LoadLangResString(host.lLanguage(), id); };
    QStringList done;
    if (host.autoThreshold()) {
        lThreshold = suggestThreshold(picTop, picSide);
        done << text(str::kNoteThreshold).arg(lThreshold);
    }
    if (host.matchSpansChecked()) {
        const MatchedSpans m = matchSpans(picTop, picSide, lThreshold);
        if (m.refused) {
            const QString crLf = QStringLiteral("\r\n");
            host.showMessage(text(str::kSpansDiffer).arg(formatFixed(100 * m.difference(), 1)) +
                                 crLf + text(str::kNotSamePropeller) + crLf +
                                 text(str::kSameAtOtherScale) + crLf + text(str::kMismatchTop) +
                                 QStringLiteral(" = ") + QString::number(m.topSpan) +
                                 QLatin1Char(',') + text(str::kMismatchSide) +
                                 QStringLiteral(" = ") + QString::number(m.sideSpan),
                             MessageIcon::None, QString());
            return std::nullopt;
        }
        picTop = m.top;
        picSide = m.side;
        if (m.scaled != ScaledView::None)
            done << text(m.scaled == ScaledView::Top ? str::kNoteTopScaled : str::kNoteSideScaled)
                        .arg(formatFixed(m.scale, 4));
        else if (m.cropped)
            done << text(str::kNoteSpansAgree);
    }
    return done.join(QStringLiteral("; "));
}

} // namespace bladetrace
