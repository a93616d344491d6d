#include "geometry/section_script.h"

#include "base/checked_math.h"
#include "geometry/airfoil.h"
#include "text/box_number.h"
#include "text/string_table.h"

#include <QDir>

namespace bladetrace {
namespace {

float readPercent(const QString& text, qint32 lLanguage, qint16 boxName) {
    return toSingle(parseBoxNumber(text, lLanguage, boxName));
}

[[noreturn]] void fileFailure(const QFileDevice& file) {
    fail(
        errc::kPathFileAccess,
        QStringLiteral("Path/File access error: %1 (%2)").arg(file.fileName(), file.errorString()));
}

} // namespace

SectionScript::SectionScript(double R, SectionInputs& inputs, ReportHost& host)
    : R_(R), inputs_(inputs), host_(host),
      file_(QDir::tempPath() + QStringLiteral("/QWXXXXXX.tmp")) {
    if (!file_.open())
        fileFailure(file_);
}

void SectionScript::addStation(StationTable& table, int i) {
    if (!inputs_.thicknessCorrection())
        return;
    const qint32 language = host_.lLanguage();
    const float root = readPercent(inputs_.rootThicknessText(), language, str::kRootThickness);
    const float tip = readPercent(inputs_.tipThicknessText(), language, str::kTipThickness);
    const auto n = std::size_t(i);
    float dCR = toSingle(table.Chord[n] / R_);
    Airfoil(table.rR[n], table.Beta[n], dCR, toSingle(table.XLE[n] / R_),
            toSingle(-table.ZLE[n] / R_), root, tip, file_, host_);
}

QString SectionScript::finish() {
    if (!file_.flush())
        fileFailure(file_);
    QString text;
    const qint64 n = file_.size();
    if (n > 0) {
        if (!file_.seek(0))
            fileFailure(file_);
        const QByteArray bytes = file_.read(n);
        if (bytes.size() != n)
            fileFailure(file_);
        text = QString::fromLatin1(bytes);
    }
    file_.close();
    file_.remove();
    return text;
}

} // namespace bladetrace
