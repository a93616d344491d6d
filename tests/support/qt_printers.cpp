#include "support/qt_printers.h"

#include "base/language.h"
#include "base/report_host.h"
#include "export/export_format.h"
#include "files/output_files.h"
#include "prepare/span_matching.h"
#include "run/calc_it.h"
#include "scan/outline_scanner.h"

#include <QDebug>

namespace {

// What Qt's own debug stream writes for a value, e.g. "QRectF(0,0 7x2)".
template <typename T> void printDebug(const T& value, std::ostream* os) {
    QString text;
    QDebug(&text).nospace() << value;
    *os << text.toStdString();
}

} // namespace

namespace bladetrace {

// Each switch names every value, so that a new one does not compile without its name here.
void PrintTo(Language value, std::ostream* os) {
    switch (value) {
    case Language::English:
        *os << "Language::English";
        return;
    case Language::German:
        *os << "Language::German";
        return;
    }
    *os << "Language(" << qint32(value) << ')';
}

void PrintTo(MessageIcon value, std::ostream* os) {
    switch (value) {
    case MessageIcon::None:
        *os << "MessageIcon::None";
        return;
    case MessageIcon::Critical:
        *os << "MessageIcon::Critical";
        return;
    }
    *os << "MessageIcon(" << int(value) << ')';
}

void PrintTo(OutputStatus value, std::ostream* os) {
    switch (value) {
    case OutputStatus::Written:
        *os << "OutputStatus::Written";
        return;
    case OutputStatus::SameFile:
        *os << "OutputStatus::SameFile";
        return;
    case OutputStatus::CannotWrite:
        *os << "OutputStatus::CannotWrite";
        return;
    }
    *os << "OutputStatus(" << int(value) << ')';
}

void PrintTo(ScanOutcome value, std::ostream* os) {
    switch (value) {
    case ScanOutcome::Scaled:
        *os << "ScanOutcome::Scaled";
        return;
    case ScanOutcome::Aborted:
        *os << "ScanOutcome::Aborted";
        return;
    case ScanOutcome::Failed:
        *os << "ScanOutcome::Failed";
        return;
    }
    *os << "ScanOutcome(" << int(value) << ')';
}

void PrintTo(ScaledView value, std::ostream* os) {
    switch (value) {
    case ScaledView::None:
        *os << "ScaledView::None";
        return;
    case ScaledView::Top:
        *os << "ScaledView::Top";
        return;
    case ScaledView::Side:
        *os << "ScaledView::Side";
        return;
    }
    *os << "ScaledView(" << int(value) << ')';
}

void PrintTo(RunOutcome value, std::ostream* os) {
    switch (value) {
    case RunOutcome::Completed:
        *os << "RunOutcome::Completed";
        return;
    case RunOutcome::Aborted:
        *os << "RunOutcome::Aborted";
        return;
    case RunOutcome::Mismatch:
        *os << "RunOutcome::Mismatch";
        return;
    case RunOutcome::ScanFailed:
        *os << "RunOutcome::ScanFailed";
        return;
    case RunOutcome::Failed:
        *os << "RunOutcome::Failed";
        return;
    }
    *os << "RunOutcome(" << int(value) << ')';
}

void PrintTo(ExportFormat value, std::ostream* os) {
    switch (value) {
    case ExportFormat::Csv:
        *os << "ExportFormat::Csv";
        return;
    case ExportFormat::Qprop:
        *os << "ExportFormat::Qprop";
        return;
    case ExportFormat::PublishedTable:
        *os << "ExportFormat::PublishedTable";
        return;
    case ExportFormat::Report:
        *os << "ExportFormat::Report";
        return;
    }
    *os << "ExportFormat(" << int(value) << ')';
}

} // namespace bladetrace

// Quoted, in UTF-8, with line ends, tabs and other control characters escaped: the texts
// of the program carry CR LF and tabs, and a difference there must show.
void PrintTo(const QString& text, std::ostream* os) {
    QString shown;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\r':
            shown += QLatin1String("\\r");
            break;
        case '\n':
            shown += QLatin1String("\\n");
            break;
        case '\t':
            shown += QLatin1String("\\t");
            break;
        case '"':
        case '\\':
            shown += QLatin1Char('\\') + c;
            break;
        default:
            shown += c.unicode() < 0x20 || c.unicode() == 0x7f
                         ? QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'))
                         : QString(c);
        }
    }
    *os << '"' << shown.toStdString() << '"';
}

void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '{';
    for (qsizetype i = 0; i < list.size(); ++i) {
        *os << (i ? ", " : " ");
        PrintTo(list[i], os);
    }
    *os << " }";
}

void PrintTo(QLatin1String text, std::ostream* os) {
    PrintTo(QString(text), os);
}

void PrintTo(QChar c, std::ostream* os) {
    *os << "QChar(";
    PrintTo(QString(c), os);
    *os << ", U+" << QString::number(c.unicode(), 16).toUpper().toStdString() << ')';
}

void PrintTo(const QByteArray& bytes, std::ostream* os) {
    printDebug(bytes, os);
}

void PrintTo(const QPoint& point, std::ostream* os) {
    printDebug(point, os);
}

void PrintTo(const QPointF& point, std::ostream* os) {
    printDebug(point, os);
}

void PrintTo(const QSize& size, std::ostream* os) {
    printDebug(size, os);
}

void PrintTo(const QSizeF& size, std::ostream* os) {
    printDebug(size, os);
}

void PrintTo(const QRect& rect, std::ostream* os) {
    printDebug(rect, os);
}

void PrintTo(const QRectF& rect, std::ostream* os) {
    printDebug(rect, os);
}

void PrintTo(const QColor& colour, std::ostream* os) {
    if (!colour.isValid())
        *os << "QColor(invalid)";
    else
        *os << "QColor(" << colour.name(QColor::HexArgb).toStdString() << ')';
}

void PrintTo(const QImage& image, std::ostream* os) {
    if (image.isNull()) {
        *os << "QImage(null)";
        return;
    }
    printDebug(image, os); // its size, format, depth and line length
}

void PrintTo(const QFont& font, std::ostream* os) {
    *os << "QFont(" << font.toString().toStdString() << ')';
}

void PrintTo(const QDateTime& time, std::ostream* os) {
    *os << "QDateTime(" << time.toString(Qt::ISODateWithMs).toStdString() << ')';
}

void PrintTo(const QUrl& url, std::ostream* os) {
    *os << "QUrl(" << url.toString().toStdString() << ')';
}

namespace {

template <typename T> std::ostream& printed(std::ostream& os, const T& value) {
    PrintTo(value, &os);
    return os;
}

} // namespace

std::ostream& operator<<(std::ostream& os, const QString& text) {
    return printed(os, text);
}

std::ostream& operator<<(std::ostream& os, const QStringList& list) {
    return printed(os, list);
}

std::ostream& operator<<(std::ostream& os, const QByteArray& bytes) {
    return printed(os, bytes);
}

std::ostream& operator<<(std::ostream& os, const QPoint& point) {
    return printed(os, point);
}

std::ostream& operator<<(std::ostream& os, const QPointF& point) {
    return printed(os, point);
}

std::ostream& operator<<(std::ostream& os, const QSize& size) {
    return printed(os, size);
}

std::ostream& operator<<(std::ostream& os, const QSizeF& size) {
    return printed(os, size);
}

std::ostream& operator<<(std::ostream& os, const QRect& rect) {
    return printed(os, rect);
}

std::ostream& operator<<(std::ostream& os, const QRectF& rect) {
    return printed(os, rect);
}

std::ostream& operator<<(std::ostream& os, const QColor& colour) {
    return printed(os, colour);
}

std::ostream& operator<<(std::ostream& os, const QImage& image) {
    return printed(os, image);
}
