#include "pair_stamp.h"

#include "base/app_error.h"
#include "files/path_bytes.h"
#include "files/picture_file.h"

#include <QCryptographicHash>
#include <sys/stat.h>

namespace bladetrace::cli {
namespace {

namespace key {
const char kSize[] = "size";
const char kModified[] = "modifiedNs";
const char kInode[] = "inode";
const char kDevice[] = "device";
const char kHash[] = "sha1";
} // namespace key

} // namespace

bool PictureStamp::sameFileState(const PictureStamp& other) const {
    return size >= 0 && size == other.size && modifiedNs == other.modifiedNs &&
           inode == other.inode && device == other.device;
}

PictureStamp stampPicture(const QString& path, const PictureStamp& before) {
    PictureStamp stamp;
    struct stat status {};
    if (::stat(pathBytes(path).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return stamp;
    stamp.size = qint64(status.st_size);
    stamp.modifiedNs = qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    stamp.inode = quint64(status.st_ino);
    stamp.device = quint64(status.st_dev);
    if (stamp.sameFileState(before) && !before.hash.isEmpty()) {
        stamp.hash = before.hash;
        return stamp;
    }
    try {
        // Through the door every picture comes in by.
        const std::shared_ptr<PictureFile> file = openPictureFile(path);
        stamp.hash = QCryptographicHash::hash(
                         QByteArrayView(reinterpret_cast<const char*>(file->data), file->size),
                         QCryptographicHash::Sha1)
                         .toHex();
        stamp.size = file->size;
    } catch (const Failure&) {
        stamp.size = -1;
    }
    return stamp;
}

QJsonObject stampJson(const PictureStamp& stamp) {
    // As texts: a JSON number is a double, which cannot hold every 64-bit value.
    return {{key::kSize, QString::number(stamp.size)},
            {key::kModified, QString::number(stamp.modifiedNs)},
            {key::kInode, QString::number(stamp.inode)},
            {key::kDevice, QString::number(stamp.device)},
            {key::kHash, QString::fromLatin1(stamp.hash)}};
}

PictureStamp stampFromJson(const QJsonObject& json) {
    PictureStamp stamp;
    bool ok = false;
    stamp.size = json.value(key::kSize).toString().toLongLong(&ok);
    if (!ok)
        stamp.size = -1;
    stamp.modifiedNs = json.value(key::kModified).toString().toLongLong();
    stamp.inode = json.value(key::kInode).toString().toULongLong();
    stamp.device = json.value(key::kDevice).toString().toULongLong();
    stamp.hash = json.value(key::kHash).toString().toLatin1();
    return stamp;
}

} // namespace bladetrace::cli
