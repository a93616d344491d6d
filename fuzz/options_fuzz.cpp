// The batch tool's command line and the number parser on any text: one argument a line.
// The first byte picks the locale the numbers are read in.

#include "base/app_error.h"
#include "batch_options.h"
#include "text/number_format.h"

#include <QCoreApplication>
#include <QLocale>
#include <cmath>
#include <cstdint>

using namespace bladetrace;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QLocale locales[] = {QLocale::c(), QLocale(QLocale::German, QLocale::Germany),
                                      QLocale(QLocale::Pashto, QLocale::Afghanistan),
                                      QLocale(QLocale::French, QLocale::Switzerland)};
    if (size == 0)
        return 0;
    QLocale::setDefault(locales[data[0] % std::size(locales)]);
    const QStringList arguments =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1))
            .split(QLatin1Char('\n'));
    cli::parseBatchOptions(arguments);
    for (const QString& text : arguments) {
        const std::optional<double> number = tryParseNumber(text);
        try {
            const double value = parseNumber(text);
            // Both read the same texts the same way.
            if (!number || !(std::isnan(value) ? std::isnan(*number) : *number == value))
                __builtin_trap();
            formatFixed(value, 4);
        } catch (const Failure&) {
        }
    }
    return 0;
}
