#pragma once

#include "files/bus_error_guard.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <memory>

namespace bladetrace {

// A picture file's bytes, mapped into memory (or read, where mapping fails), alive as long
// as anything that reads them holds on to it.
struct PictureFile {
    QString name; // as given
    QFile file;
    QByteArray bytes;
    const uchar* data = nullptr;
    qint64 size = 0;

    // Why the bytes may no longer be the picture the file held when it was opened, or an
    // empty text: the file was cut short under the mapping (the pages it lost read as
    // zeros), or written since. A reader of the bytes asks when it is done with them.
    QString changed() const;

    // What the file was when it was opened, to tell a change (Unix).
    struct Stamp {
        qint64 size = 0;
        qint64 modified = 0; // nanoseconds
        qint64 changed = 0;  // status change, nanoseconds
        bool operator!=(const Stamp& other) const;
    };
    Stamp stamp;
    QString readChange;                   // a change found while the bytes were read, for a copy
    std::unique_ptr<BusErrorGuard> guard; // while mapped; ends before the mapping does
};

// Opens a regular file without waiting (a pipe would wait for a writer) and maps it. Fails
// with 53 for a missing file and 75 for a folder, a device, a pipe, a socket or a file
// that cannot be read.
std::shared_ptr<PictureFile> openPictureFile(const QString& fileName);

} // namespace bladetrace
