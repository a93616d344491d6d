#pragma once

// Teaches GoogleTest to print the program's enums and Qt's value types, so that a failing
// comparison shows values, never "16-byte object <00-00 ...>". Included in every test.
#include <QByteArray>
#include <QChar>
#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QImage>
#include <QLatin1String>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QtGlobal>
#include <ostream>

// The enums are declared here and printed in qt_printers.cpp, which sees their headers; the
// test programs need not include the whole core for them.
namespace bladetrace {
enum class Language : qint32;
enum class MessageIcon;
enum class OutputStatus;
enum class ScanOutcome;
enum class ScaledView;
enum class RunOutcome;
enum class ExportFormat;

void PrintTo(Language value, std::ostream* os);
void PrintTo(MessageIcon value, std::ostream* os);
void PrintTo(OutputStatus value, std::ostream* os);
void PrintTo(ScanOutcome value, std::ostream* os);
void PrintTo(ScaledView value, std::ostream* os);
void PrintTo(RunOutcome value, std::ostream* os);
void PrintTo(ExportFormat value, std::ostream* os);
} // namespace bladetrace

void PrintTo(const QString& text, std::ostream* os);
void PrintTo(const QStringList& list, std::ostream* os);
void PrintTo(QLatin1String text, std::ostream* os);
void PrintTo(QChar c, std::ostream* os);
void PrintTo(const QByteArray& bytes, std::ostream* os);
void PrintTo(const QPoint& point, std::ostream* os);
void PrintTo(const QPointF& point, std::ostream* os);
void PrintTo(const QSize& size, std::ostream* os);
void PrintTo(const QSizeF& size, std::ostream* os);
void PrintTo(const QRect& rect, std::ostream* os);
void PrintTo(const QRectF& rect, std::ostream* os);
void PrintTo(const QColor& colour, std::ostream* os);
void PrintTo(const QImage& image, std::ostream* os); // its size and format
void PrintTo(const QFont& font, std::ostream* os);
void PrintTo(const QDateTime& time, std::ostream* os);
void PrintTo(const QUrl& url, std::ostream* os);

// The same in failure messages: `EXPECT_TRUE(...) << name << rect`.
std::ostream& operator<<(std::ostream& os, const QString& text);
std::ostream& operator<<(std::ostream& os, const QStringList& list);
std::ostream& operator<<(std::ostream& os, const QByteArray& bytes);
std::ostream& operator<<(std::ostream& os, const QPoint& point);
std::ostream& operator<<(std::ostream& os, const QPointF& point);
std::ostream& operator<<(std::ostream& os, const QSize& size);
std::ostream& operator<<(std::ostream& os, const QSizeF& size);
std::ostream& operator<<(std::ostream& os, const QRect& rect);
std::ostream& operator<<(std::ostream& os, const QRectF& rect);
std::ostream& operator<<(std::ostream& os, const QColor& colour);
std::ostream& operator<<(std::ostream& os, const QImage& image);
