#include "base/app_error.h"

#include "base/app_info.h"

#include <utility>

namespace bladetrace {

QString classicDescription(qint32 number) {
    switch (number) {
    case errc::kInvalidCall:
        return QStringLiteral("Invalid procedure call or argument");
    case errc::kOverflow:
        return QStringLiteral("Overflow");
    case errc::kOutOfMemory:
        return QStringLiteral("Out of memory");
    case errc::kSubscriptOutOfRange:
        return QStringLiteral("Subscript out of range");
    case errc::kDivisionByZero:
        return QStringLiteral("Division by zero");
    case errc::kTypeMismatch:
        return QStringLiteral("Type mismatch");
    case errc::kBadFileName:
        return QStringLiteral("Bad file name or number");
    case errc::kFileNotFound:
        return QStringLiteral("File not found");
    case errc::kPathFileAccess:
        return QStringLiteral("Path/File access error");
    case errc::kResourceNotFound:
        return QStringLiteral("Resource not found");
    case errc::kInvalidPicture:
        return QStringLiteral("Invalid picture");
    default:
        return QStringLiteral("Application-defined or object-defined error");
    }
}

AppError makeError(qint32 number, const QString& description) {
    return {number, description.isEmpty() ? classicDescription(number) : description, appTitle()};
}

Failure::Failure(AppError error)
    : error_(std::move(error)),
      what_(QStringLiteral("Error %1: %2").arg(error_.number).arg(error_.description).toUtf8()) {}

const char* Failure::what() const noexcept {
    return what_.constData();
}

void fail(qint32 number, const QString& description) {
    throw Failure(makeError(number, description));
}

} // namespace bladetrace
