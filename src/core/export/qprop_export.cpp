#include "export/qprop_export.h"

#include "base/app_info.h"
#include "export/folded_blade.h"
#include "text/number_format.h"

#include <QFileInfo>
#include <QLocale>

namespace bladetrace {
namespace {

constexpr int kCommentColumn = 30;
constexpr int kNoteColumn = 29;

QString valueLine(const QString& values, const char* fields, bool isDefault = false) {
    QString comment = QString::fromLatin1(fields);
    if (isDefault)
        comment = comment.leftJustified(kNoteColumn) +
                  QStringLiteral("generic default: replace with the section's polar");
    return values.leftJustified(kCommentColumn) + QStringLiteral("! ") + comment +
           QLatin1Char('\n');
}

// QPROP takes the first line that is neither blank nor a "#" comment as the name.
QString nameLine(const QString& topFile) {
    const QString name = QFileInfo(topFile).completeBaseName().trimmed();
    if (name.isEmpty() || name.startsWith(QLatin1Char('#')))
        return (appTitle() + QLatin1Char(' ') + name).trimmed();
    return name;
}

} // namespace

QByteArray qpropBytes(const RunResults& results) {
    const QLocale c = QLocale::c();
    QString text = nameLine(results.inputs.topFile) + QStringLiteral("\n\n");
    text += valueLine(QStringLiteral(" %1  ").arg(results.inputs.blades) +
                          formatFixed(results.radius(), 6, c),
                      "Nblades  [ R ]");
    text += QLatin1Char('\n');
    text += valueLine(QStringLiteral(" 0.50  5.8"), "CL0     CL_a", true);
    text += valueLine(QStringLiteral("-0.3   1.2"), "CLmin   CLmax", true);
    text += QLatin1Char('\n');
    text +=
        valueLine(QStringLiteral(" 0.028  0.050  0.020  0.5"), "CD0    CD2u   CD2l   CLCD0", true);
    text += valueLine(QStringLiteral(" 70000  -0.7"), "REref  REexp", true);
    text += QLatin1Char('\n');
    text += valueLine(QStringLiteral(" 1  1  1"), "Rfac   Cfac   Bfac");
    text += valueLine(QStringLiteral(" 0  0  0"), "Radd   Cadd   Badd");
    text += QStringLiteral("\n#  r  chord  beta\n");
    for (const BladeStation& s : foldedBlade(results, false)) {
        if (s.rR <= 0.0)
            continue; // the axis: no section to compute there
        text += QLatin1Char(' ') + formatFixed(s.r, 6, c) + QStringLiteral("  ") +
                formatFixed(s.c, 6, c) + QStringLiteral("  ") + formatFixed(s.betaDeg, 3, c) +
                QLatin1Char('\n');
    }
    return text.toUtf8();
}

} // namespace bladetrace
