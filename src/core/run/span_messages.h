#pragma once

#include <QString>
#include <QtGlobal>

namespace bladetrace {

// The message of a run refused because the spans of its two views differ by more than two
// columns: two lines of explanation, then both spans.
QString spanMismatchText(qint32 lLanguage, int topSpan, int sideSpan);

// The message of a run whose views were to be matched but lie `difference` (a fraction of
// the shorter span) apart.
QString spansTooFarText(qint32 lLanguage, double difference, int topSpan, int sideSpan);

} // namespace bladetrace
