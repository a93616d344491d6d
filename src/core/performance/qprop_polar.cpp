#include "performance/qprop_polar.h"

#include "base/app_info.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace bladetrace {
namespace {

constexpr int kCommentColumn = 30;
constexpr int kNoteColumn = 29;

struct ValueLine {
    const char* fields; // the names QPROP's files put in the line's comment
    int count;
};
constexpr ValueLine kBlades{"Nblades  [ R ]", 1};
constexpr ValueLine kPolarLines[] = {{"CL0     CL_a", 2},
                                     {"CLmin   CLmax", 2},
                                     {"CD0    CD2u   CD2l   CLCD0", 4},
                                     {"REref  REexp", 2}};
constexpr int kLastLine = int(std::size(kPolarLines)); // the lines after the name: 0 .. this

AppError readError(qint32 number, const QString& description) {
    return {number, description, appTitle()};
}

// A Fortran number as QPROP reads it: a point, and "d" or "D" for the exponent too.
std::optional<double> fortranNumber(QString text) {
    static const QRegularExpression dExponent(QStringLiteral("^([-+]?[0-9.]+)[dD]([-+]?[0-9]+)$"));
    text.replace(dExponent, QStringLiteral("\\1e\\2"));
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// At least `least` decimals, more until the text gives the value back.
QString numberText(double value, int least) {
    for (int decimals = least; decimals < 10; ++decimals) {
        const QString text = QString::number(value, 'f', decimals);
        if (std::fabs(text.toDouble() - value) <= 1e-12 * std::max(1.0, std::fabs(value)))
            return text;
    }
    return QString::number(value, 'g', 12);
}

QString commentedLine(const QString& values, const char* fields, const QString& note) {
    QString comment = QString::fromLatin1(fields);
    if (!note.isEmpty())
        comment = comment.leftJustified(kNoteColumn) + note;
    return values.leftJustified(kCommentColumn) + QStringLiteral("! ") + comment +
           QLatin1Char('\n');
}

// Two value lines with their columns aligned, two blanks apart; the first value keeps a
// place for its sign.
QString alignedPair(QStringList first, QStringList second, const char* firstFields,
                    const char* secondFields, const QString& note) {
    for (QStringList* line : {&first, &second})
        if (!(*line)[0].startsWith(QLatin1Char('-')))
            (*line)[0].prepend(QLatin1Char(' '));
    const qsizetype columns = std::max(first.size(), second.size());
    for (qsizetype c = 0; c + 1 < columns; ++c) {
        qsizetype width = 0;
        for (const QStringList* line : {&first, &second})
            if (c < line->size())
                width = std::max(width, (*line)[c].size());
        for (QStringList* line : {&first, &second})
            if (c < line->size())
                (*line)[c] = (*line)[c].leftJustified(width + 2);
    }
    return commentedLine(first.join(QString()), firstFields, note) +
           commentedLine(second.join(QString()), secondFields, note);
}

} // namespace

QpropPolarRead parseQpropPolar(const QString& text) {
    QpropPolarRead read;
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    int next = -1; // -1: the name line; then kBlades, then the polar lines
    std::vector<double> values;
    for (int i = 0; i < lines.size() && next <= kLastLine; ++i) {
        const QString trimmed = lines[i].trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        if (next < 0) {
            read.file.name = trimmed;
            ++next;
            continue;
        }
        const QString valuePart = trimmed.section(QLatin1Char('!'), 0, 0).trimmed();
        if (valuePart.isEmpty())
            continue;
        const ValueLine& expected = next == 0 ? kBlades : kPolarLines[next - 1];
        const QStringList fields = valuePart.split(blanks, Qt::SkipEmptyParts);
        const int wanted = next == 0 ? std::min<int>(2, int(fields.size())) : expected.count;
        for (int f = 0; f < wanted; ++f) {
            const std::optional<double> v =
                f < fields.size() ? fortranNumber(fields[f]) : std::nullopt;
            if (!v) {
                read.line = i + 1;
                read.offending = f < fields.size() ? fields[f] : QString();
                read.error = readError(
                    errc::kTypeMismatch,
                    f < fields.size()
                        ? QStringLiteral("Line %1 of the QPROP file: \"%2\" is not a number.")
                              .arg(i + 1)
                              .arg(fields[f])
                        : QStringLiteral("Line %1 of the QPROP file needs %2 numbers: %3.")
                              .arg(i + 1)
                              .arg(expected.count)
                              .arg(QString::fromLatin1(expected.fields).simplified()));
                return read;
            }
            values.push_back(*v);
        }
        if (next == 0) {
            const double blades = values[0];
            if (blades < 1 || blades > 100 || blades != std::floor(blades)) {
                read.line = i + 1;
                read.offending = fields[0];
                read.error = readError(
                    errc::kTypeMismatch,
                    QStringLiteral("Line %1 of the QPROP file: \"%2\" is not a number of blades.")
                        .arg(i + 1)
                        .arg(fields[0]));
                return read;
            }
            read.file.blades = int(blades);
            if (values.size() > 1)
                read.file.tipRadius = values[1];
            values.clear();
        }
        ++next;
    }
    if (next <= kLastLine) {
        const char* missing = next < 0    ? "name"
                              : next == 0 ? kBlades.fields
                                          : kPolarLines[next - 1].fields;
        read.error =
            readError(errc::kTypeMismatch, QStringLiteral("The QPROP file ends before its %1 line.")
                                               .arg(QString::fromLatin1(missing).simplified()));
        return read;
    }
    Polar& p = read.file.polar;
    p.cl0 = values[0];
    p.clAlpha = values[1];
    p.clMin = values[2];
    p.clMax = values[3];
    p.cd0 = values[4];
    p.cd2Upper = values[5];
    p.cd2Lower = values[6];
    p.clAtMinDrag = values[7];
    p.reRef = values[8];
    p.reExp = values[9];
    const QString problem = polarProblem(p);
    if (!problem.isEmpty())
        read.error = readError(
            errc::kInvalidCall,
            QStringLiteral("The polar of the QPROP file cannot be used: %1.").arg(problem));
    return read;
}

QString qpropPolarLines(const Polar& p, const QString& note) {
    return alignedPair({numberText(p.cl0, 2), numberText(p.clAlpha, 1)},
                       {numberText(p.clMin, 1), numberText(p.clMax, 1)}, kPolarLines[0].fields,
                       kPolarLines[1].fields, note) +
           QLatin1Char('\n') +
           alignedPair({numberText(p.cd0, 3), numberText(p.cd2Upper, 3), numberText(p.cd2Lower, 3),
                        numberText(p.clAtMinDrag, 1)},
                       {numberText(p.reRef, 0), numberText(p.reExp, 1)}, kPolarLines[2].fields,
                       kPolarLines[3].fields, note);
}

} // namespace bladetrace
