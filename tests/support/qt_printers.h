#pragma once

// Teaches GoogleTest to print the program's enums and Qt's value types, so that a failing
// comparison shows values, never "16-byte object <00-00 ...>"; failure messages take them
// too (`<< rect`). Included in every test.
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

// The enums are declared here and named in qt_printers.cpp, which sees their headers.
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

// Texts quoted, in UTF-8, with line ends and tabs escaped; colours as #aarrggbb; the rest as
// Qt's debug stream writes them, e.g. "QRectF(0,0 7x2)", an image with its size and format.
#define BLADETRACE_PRINTED(Type)                                                                   \
    void PrintTo(const Type& value, std::ostream* os);                                             \
    std::ostream& operator<<(std::ostream& os, const Type& value);
BLADETRACE_PRINTED(QString)
BLADETRACE_PRINTED(QStringList)
BLADETRACE_PRINTED(QColor)
BLADETRACE_PRINTED(QByteArray)
BLADETRACE_PRINTED(QPoint)
BLADETRACE_PRINTED(QPointF)
BLADETRACE_PRINTED(QSize)
BLADETRACE_PRINTED(QSizeF)
BLADETRACE_PRINTED(QRect)
BLADETRACE_PRINTED(QRectF)
BLADETRACE_PRINTED(QImage)
BLADETRACE_PRINTED(QFont)
BLADETRACE_PRINTED(QDateTime)
BLADETRACE_PRINTED(QUrl)
#undef BLADETRACE_PRINTED
void PrintTo(QLatin1String text, std::ostream* os);
void PrintTo(QChar c, std::ostream* os);
