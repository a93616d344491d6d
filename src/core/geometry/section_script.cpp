#include "geometry/section_script.h"

#include "geometry/airfoil.h"
#include "geometry/fold.h"
#include "text/checked_math.h"
#include "text/number_format.h"

#include <QDir>
#include <QTemporaryFile>

namespace bladetrace {
namespace {

float readPercent(const QString& text) {
    return toSingle(parseNumber(text));
}

[[noreturn]] void fileFailure(const QFileDevice& file) {
    fail(
        errc::kPathFileAccess,
        QStringLiteral("Path/File access error: %1 (%2)").arg(file.fileName(), file.errorString()));
}

} // namespace

void runSectionStage(StationTable& table, double R, SectionHost& host) {
    // Removed by its destructor on every path, also when a step below fails.
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/QWXXXXXX.tmp"));
    if (!file.open())
        fileFailure(file);

    for (int i = 0; i <= foldedLast(table.Count); ++i) {
        foldStation(table, i);
        if (!host.thicknessCorrection())
            continue;
        const float root = readPercent(host.rootThicknessText());
        const float tip = readPercent(host.tipThicknessText());
        const auto n = std::size_t(i);
        float dCR = toSingle(table.Chord[n] / R);
        Airfoil(table.rR[n], table.Beta[n], dCR, toSingle(table.XLE[n] / R),
                toSingle(-table.ZLE[n] / R), root, tip, file, host);
    }
    if (!file.flush())
        fileFailure(file);

    const qint64 n = file.size();
    if (n > 0) {
        if (!file.seek(0))
            fileFailure(file);
        const QByteArray text = file.read(n);
        if (text.size() != n)
            fileFailure(file);
        host.putOnClipboard(QString::fromLatin1(text));
    }
    file.close();
    file.remove();
}

} // namespace bladetrace
