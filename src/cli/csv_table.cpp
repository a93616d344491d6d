#include "csv_table.h"

namespace bladetrace::cli {

CsvText readCsv(const QString& input, QChar separator) {
    const QString text = input.startsWith(QChar(0xFEFF)) ? input.mid(1) : input;
    CsvText out;
    QStringList row;
    QString field;
    bool quoted = false;     // inside quotes
    bool wasQuoted = false;  // this field had quotes
    bool rowStarted = false; // any character since the row began
    int line = 1;
    int rowLine = 1;
    int quoteLine = 0;
    const auto endRow = [&] {
        row << field;
        // A line of nothing but blanks holds no row.
        if (rowStarted && !(row.size() == 1 && !wasQuoted && field.trimmed().isEmpty())) {
            out.rows.push_back(row);
            out.lines.push_back(rowLine);
        }
        row.clear();
        field.clear();
        wasQuoted = false;
        rowStarted = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!rowStarted) {
            rowStarted = true;
            rowLine = line;
        }
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            wasQuoted = true;
            quoteLine = line;
        } else if (c == separator) {
            row << field;
            field.clear();
            wasQuoted = false;
        } else if (c == QLatin1Char('\r') && i + 1 < text.size() &&
                   text[i + 1] == QLatin1Char('\n')) {
            continue; // the LF ends the row
        } else if (c == QLatin1Char('\n')) {
            endRow();
            ++line;
        } else {
            field += c;
        }
    }
    if (quoted) {
        out.error = QStringLiteral("a quote opened on line %1 is not closed").arg(quoteLine);
        return out;
    }
    if (rowStarted)
        endRow();
    return out;
}

QChar csvSeparator(const QString& text) {
    const QString first = text.section(QLatin1Char('\n'), 0, 0);
    return first.contains(QLatin1Char(';')) && !first.contains(QLatin1Char(',')) ? QLatin1Char(';')
                                                                                 : QLatin1Char(',');
}

QString csvField(const QString& value, QChar separator) {
    if (!value.contains(separator) && !value.contains(QLatin1Char('"')) &&
        !value.contains(QLatin1Char('\n')) && !value.contains(QLatin1Char('\r')))
        return value;
    QString quoted = value;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace bladetrace::cli
