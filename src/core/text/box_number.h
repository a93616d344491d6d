#pragma once

#include <QString>
#include <QtGlobal>

namespace bladetrace {

// The number in an input box, read as parseNumber reads it. A text that is no number fails
// with type mismatch (13), its description naming the box (string `boxName` in lLanguage)
// and the text, e.g. "Type mismatch." CR LF "RPM: "abc" is not a number".
double parseBoxNumber(const QString& text, qint32 lLanguage, qint16 boxName);

} // namespace bladetrace
