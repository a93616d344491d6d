#include "run/preparation_stage.h"

#include "prepare/span_matching.h"
#include "prepare/threshold_suggestion.h"
#include "run/span_messages.h"
#include "text/number_format.h"
#include "text/string_table.h"

#include <limits>

namespace bladetrace {

std::optional<PreparedViews> prepareViews(QImage& top, QImage& side, qint32& threshold,
                                          RunInputs& inputs, RunProgress& progress,
                                          ResultInputs& record) {
    const qint32 language = progress.lLanguage();
    const auto text = [language](qint16 id) { return LoadLangResString(language, id); };
    QStringList done;
    PreparedViews prepared;
    if (inputs.autoThreshold()) {
        threshold = suggestThreshold(top, side);
        done << text(str::kNoteThreshold).arg(threshold);
    }
    if (inputs.matchSpans()) {
        MatchedSpans m = matchSpans(top, side, threshold, inputs.maxSpanDifference());
        if (m.refused) {
            const std::optional<bool> same = progress.askQuestion(
                text(str::kSpansQuestion).arg(formatFixed(100 * m.difference(), 1)));
            if (!same)
                progress.showMessage(
                    spansTooFarText(language, m.difference(), m.topSpan, m.sideSpan),
                    MessageIcon::None, QString());
            if (!same.value_or(false))
                return std::nullopt;
            m = matchSpans(top, side, threshold, std::numeric_limits<double>::infinity());
        }
        top = m.top;
        side = m.side;
        if (m.cropped) {
            prepared.topContact = m.topContact;
            prepared.sideContact = m.sideContact;
        }
        record.scaledView = m.scaled;
        record.spanScale = m.scale;
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
