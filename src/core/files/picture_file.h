#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <memory>

namespace bladetrace {

// A picture file's bytes, mapped into memory (or read, where mapping fails), alive as long
// as anything that reads them holds on to it.
struct PictureFile {
    QFile file;
    QByteArray bytes;
    const uchar* data = nullptr;
    qint64 size = 0;
};

// Opens a regular file without waiting (a pipe would wait for a writer) and maps it. Fails
// with 53 for a missing file and 75 for a folder, a device, a pipe, a socket or a file
// that cannot be read.
std::shared_ptr<PictureFile> openPictureFile(const QString& fileName);

} // namespace bladetrace
