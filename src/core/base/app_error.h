#pragma once

#include <QString>
#include <QtGlobal>
#include <exception>

namespace bladetrace {

// Classic run-time error numbers, so reports read as users of such programs know them.
namespace errc {
constexpr qint32 kInvalidCall = 5;
constexpr qint32 kOverflow = 6;
constexpr qint32 kOutOfMemory = 7;
constexpr qint32 kSubscriptOutOfRange = 9;
constexpr qint32 kDivisionByZero = 11;
constexpr qint32 kTypeMismatch = 13;
constexpr qint32 kBadFileName = 52;
constexpr qint32 kFileNotFound = 53;
constexpr qint32 kPathFileAccess = 75;
constexpr qint32 kResourceNotFound = 326;
constexpr qint32 kInvalidPicture = 481;
} // namespace errc

// The one error value of the program: what failed, in words, and who raised it.
struct AppError {
    qint32 number = 0;
    QString description;
    QString source;
};

// The standard wording for a classic number ("Overflow", "Type mismatch", ...).
QString classicDescription(qint32 number);

// An error raised by the program itself; an empty description takes the classic wording.
AppError makeError(qint32 number, const QString& description = {});

// Carries an AppError up to the routine that traps failures. Never leaves the core.
class Failure : public std::exception {
public:
    explicit Failure(AppError error);
    const AppError& error() const { return error_; }
    const char* what() const noexcept override;

private:
    AppError error_;
    QByteArray what_;
};

[[noreturn]] void fail(qint32 number, const QString& description = {});

} // namespace bladetrace
