#include "run/preparation_stage.h"

#include "prepare/span_matching.h"
#include "prepare/threshold_suggestion.h"
#include "run/span_messages.h"
#include "text/number_format.h"
#include "text/string_table.h"

namespace bladetrace {

std::optional<PreparedViews> prepareViews(QImage& top, QImage& side, qint32& threshold,
                                          RunInputs& inputs, ReportHost& progress) {
    const qint32 language = progress.lLanguage();
    const auto text = [language](qint16 id) { return LoadLangResString(language, id); };
    QStringList done;
    PreparedViews prepared;
    if (inputs.autoThreshold()) {
        threshold = suggestThreshold(top, side);
        done << text(str::kNoteThreshold).arg(threshold);
    }
    if (inputs.matchSpans()) {
        const MatchedSpans m = matchSpans(top, side, threshold);
        if (m.refused) {
            progress.showMessage(spansTooFarText(language, m.difference(), m.topSpan, m.sideSpan),
                                 MessageIcon::None, QString());
            return std::nullopt;
        }
        top = m.top;
        side = m.side;
        if (m.cropped) {
            prepared.topContact = m.topContact;
            prepared.sideContact = m.sideContact;
        }
        if (m.scaled != ScaledView::None)
            done << text(m.scaled == ScaledView::Top ? str::kNoteTopScaled : str::kNoteSideScaled)
                        .arg(formatFixed(m.scale, 4));
        else if (m.cropped)
            done << text(str::kNoteSpansAgree);
    }
    prepared.note = done.join(QStringLiteral("; "));
    return prepared;
}

} // namespace bladetrace
