#pragma once

#include <QByteArray>
#include <QString>

namespace bladetrace::testing {

// By the name's own bytes, as the program opens files.
QByteArray fileBytes(const QString& path); // "(unreadable)" when it cannot be read
void make(const QString& path, const QByteArray& bytes);

} // namespace bladetrace::testing
