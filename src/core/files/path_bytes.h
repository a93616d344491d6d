#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace bladetrace {

// A path as the file system spells it, and back, byte for byte. Qt reads a name that is not
// valid UTF-8 with replacement characters (in any locale), so two different names would
// become one; here each byte outside a valid UTF-8 sequence becomes a lone surrogate
// U+DC80..U+DCFF, which valid UTF-8 never yields, and goes back as that byte. Every path
// the batch tool takes from its command line reaches the system through these two.
QString pathFromBytes(QByteArrayView bytes);
QByteArray pathBytes(const QString& path);

} // namespace bladetrace
