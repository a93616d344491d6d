#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

namespace bladetrace::cli {

// What a picture was when its pair was measured: what the file system says of it, cheap to
// ask, and a hash of its bytes, which a copy or a touch leaves alone.
struct PictureStamp {
    qint64 size = -1; // -1: it could not be read
    qint64 modifiedNs = 0;
    quint64 inode = 0;
    quint64 device = 0;
    QByteArray hash; // hex

    bool sameFileState(const PictureStamp& other) const;
    // The same bytes, as far as anyone can tell.
    bool sameContent(const PictureStamp& other) const {
        return size >= 0 && size == other.size && !hash.isEmpty() && hash == other.hash;
    }
};

// The picture's stamp. Its bytes are read and hashed only when `before` (its stamp when last
// measured) differs in size, time, inode or device; else its hash is taken.
PictureStamp stampPicture(const QString& path, const PictureStamp& before = {});

QJsonObject stampJson(const PictureStamp& stamp);
PictureStamp stampFromJson(const QJsonObject& json);

} // namespace bladetrace::cli
