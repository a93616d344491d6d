#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace bladetrace {

// The signs of a damaged or incomplete picture file that Qt's readers let pass, for the
// formats where they do; each returns why, or an empty text. `format` is Qt's name for it.

// From the file's structure, before decoding: a GIF's blocks up to its trailer, a JPEG's
// segments up to its end marker, a PNG's chunks up to its end chunk, each within the file.
// (A bitmap's pixel data is checked from its headers: bitmapDamage.)
QString damageInStructure(const QByteArray& format, const uchar* data, qint64 size);

// From the warnings the reader gave while decoding: a JPEG's corrupt or missing data.
QString damageInWarnings(const QByteArray& format, const QStringList& warnings);

} // namespace bladetrace
