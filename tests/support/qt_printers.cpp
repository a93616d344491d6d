#include "support/qt_printers.h"

#include "base/language.h"
#include "base/report_host.h"
#include "export/export_format.h"
#include "files/output_files.h"
#include "prepare/span_matching.h"
#include "run/calc_it.h"
#include "scan/outline_scanner.h"

#include <QDebug>
#include <initializer_list>

namespace {

// "Type::Name", or "Type(number)" for a number that has no name.
void printEnum(std::ostream* os, const char* type, int value,
               std::initializer_list<const char*> names) {
    if (value >= 0 && value < int(names.size()))
        *os << type << "::" << names.begin()[value];
    else
        *os << type << '(' << value << ')';
}

template <typename T> void printDebug(const T& value, std::ostream* os) {
    QString text;
    QDebug(&text).nospace() << value;
    *os << text.toStdString();
}

} // namespace

// In the order of their declarations.
namespace bladetrace {
void PrintTo(Language value, std::ostream* os) {
    printEnum(os, "Language", int(value) - 1, {"English", "German"});
}
void PrintTo(MessageIcon value, std::ostream* os) {
    printEnum(os, "MessageIcon", int(value), {"None", "Critical"});
}
void PrintTo(OutputStatus value, std::ostream* os) {
    printEnum(os, "OutputStatus", int(value), {"Written", "SameFile", "CannotWrite", "Stopped"});
}
void PrintTo(ScanOutcome value, std::ostream* os) {
    printEnum(os, "ScanOutcome", int(value), {"Scaled", "Aborted", "Failed"});
}
void PrintTo(ScaledView value, std::ostream* os) {
    printEnum(os, "ScaledView", int(value), {"None", "Top", "Side"});
}
void PrintTo(RunOutcome value, std::ostream* os) {
    printEnum(os, "RunOutcome", int(value),
              {"Completed", "Aborted", "Mismatch", "ScanFailed", "Refused", "Failed"});
}
void PrintTo(ExportFormat value, std::ostream* os) {
    printEnum(os, "ExportFormat", int(value), {"Csv", "Qprop", "PublishedTable", "Report"});
}
} // namespace bladetrace

void PrintTo(const QString& text, std::ostream* os) {
    QString shown;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\r' || u == '\n' || u == '\t')
            shown += u == '\r' ? "\\r" : u == '\n' ? "\\n" : "\\t";
        else if (u == '"' || u == '\\')
            shown += QLatin1Char('\\') + c;
        else if (u < 0x20 || u == 0x7f)
            shown += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    *os << '"' << shown.toStdString() << '"';
}

void PrintTo(QLatin1String text, std::ostream* os) {
    PrintTo(QString(text), os);
}

void PrintTo(QChar c, std::ostream* os) {
    PrintTo(QString(c), os);
}

void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '{';
    for (qsizetype i = 0; i < list.size(); ++i) {
        *os << (i ? ", " : " ");
        PrintTo(list[i], os);
    }
    *os << " }";
}

void PrintTo(const QColor& colour, std::ostream* os) {
    *os << "QColor(" << (colour.isValid() ? colour.name(QColor::HexArgb).toStdString() : "invalid")
        << ')';
}

#define BLADETRACE_DEBUG_PRINTED(Type)                                                             \
    void PrintTo(const Type& value, std::ostream* os) {                                            \
        printDebug(value, os);                                                                     \
    }
BLADETRACE_DEBUG_PRINTED(QByteArray)
BLADETRACE_DEBUG_PRINTED(QPoint)
BLADETRACE_DEBUG_PRINTED(QPointF)
BLADETRACE_DEBUG_PRINTED(QSize)
BLADETRACE_DEBUG_PRINTED(QSizeF)
BLADETRACE_DEBUG_PRINTED(QRect)
BLADETRACE_DEBUG_PRINTED(QRectF)
BLADETRACE_DEBUG_PRINTED(QImage)
BLADETRACE_DEBUG_PRINTED(QFont)
BLADETRACE_DEBUG_PRINTED(QDateTime)
BLADETRACE_DEBUG_PRINTED(QUrl)

#define BLADETRACE_STREAMED(Type)                                                                  \
    std::ostream& operator<<(std::ostream& os, const Type& value) {                                \
        PrintTo(value, &os);                                                                       \
        return os;                                                                                 \
    }
BLADETRACE_STREAMED(QString)
BLADETRACE_STREAMED(QStringList)
BLADETRACE_STREAMED(QColor)
BLADETRACE_STREAMED(QByteArray)
BLADETRACE_STREAMED(QPoint)
BLADETRACE_STREAMED(QPointF)
BLADETRACE_STREAMED(QSize)
BLADETRACE_STREAMED(QSizeF)
BLADETRACE_STREAMED(QRect)
BLADETRACE_STREAMED(QRectF)
BLADETRACE_STREAMED(QImage)
BLADETRACE_STREAMED(QFont)
BLADETRACE_STREAMED(QDateTime)
BLADETRACE_STREAMED(QUrl)
