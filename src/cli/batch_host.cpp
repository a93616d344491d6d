#include "batch_host.h"

#include "base/app_error.h"
#include "files/path_bytes.h"
#include "files/picture_file.h"
#include "interrupt.h"
#include "text/string_table.h"

#include <cerrno>
#include <unistd.h>

namespace bladetrace::cli {

PolarFile readPolarFile(const QString& path) {
    PolarFile read;
    QString text;
    try {
        const std::shared_ptr<PictureFile> file = openPictureFile(path);
        text = QString::fromUtf8(reinterpret_cast<const char*>(file->data), file->size);
    } catch (const Failure& failure) {
        read.error = QStringLiteral("--polar %1: %2").arg(path, failure.error().description);
        return read;
    }
    QpropPolarRead parsed = parseQpropPolar(text);
    if (parsed.error.number != 0)
        read.error = QStringLiteral("--polar %1: %2").arg(path, parsed.error.description);
    else
        read.file = std::move(parsed.file);
    return read;
}

FixedInputs inputsOf(const BatchOptions& options, const std::optional<QpropPolarFile>& polar) {
    FixedInputs in;
    in.threshold = options.threshold;
    in.suggestedThreshold = options.autoThreshold;
    in.spanMatching = options.matchSpans;
    in.spanDifference = options.maxSpanDifference / 100;
    in.diameter = options.diameter;
    in.rpm = options.rpm;
    in.velocity = options.speed;
    in.imperial = options.imperial;
    in.topFile = options.topFile;
    in.sideFile = options.sideFile;
    in.thickness = options.thickness;
    in.rootThickness = options.rootThickness;
    in.tipThickness = options.tipThickness;
    in.blades = options.blades;
    if (polar) {
        in.polar = polar->polar;
        if (!options.given.contains(QLatin1String("blades")))
            in.blades = polar->blades;
    }
    if (options.airDensity > 0)
        in.atmosphere.density = options.airDensity;
    if (options.viscosity > 0)
        in.atmosphere.kinematicViscosity = options.viscosity;
    return in;
}

BatchHost::BatchHost(const BatchOptions& options, std::FILE* out, std::FILE* err)
    : options_(options), out_(out), err_(err), progress_(isatty(fileno(err)) != 0) {}

void BatchHost::writeLine(std::FILE* stream, const QString& text) {
    const QByteArray bytes = pathBytes(text) + '\n'; // a file name as the user typed it
    if (std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream) !=
            std::size_t(bytes.size()) &&
        stream == out_ && sheetError_ == 0)
        sheetError_ = errno;
}

int BatchHost::finishSheet() {
    errno = 0;
    if ((std::fflush(out_) != 0 || std::ferror(out_)) && sheetError_ == 0)
        sheetError_ = errno != 0 ? errno : EIO;
    return sheetError_;
}

void BatchHost::clearProgress() {
    if (progressShown_) {
        std::fputs("\r\033[K", err_);
        progressShown_ = false;
    }
}

void BatchHost::showStatus(const QString& text) {
    status_ = text;
    clearProgress();
}

void BatchHost::showMessage(const QString& text, MessageIcon, const QString&) {
    clearProgress();
    QString plain = text;
    plain.replace(kCrLf, QLatin1String("\n"));
    writeLine(err_, plain);
    std::fflush(err_);
}

void BatchHost::showPreparationNote(const QString& note) {
    clearProgress();
    writeLine(err_, note);
    std::fflush(err_);
}

void BatchHost::showRunNotes(const QStringList& notes) {
    clearProgress();
    for (const QString& note : notes)
        writeLine(err_, note);
    std::fflush(err_);
}

bool BatchHost::abortAsked() {
    return interruptRequested();
}

void BatchHost::scanStarted(const ScanHolder& holder) {
    columns_ = holder.width() + 1;
    shownPercent_ = -1;
}

void BatchHost::columnScanned(const ScanHolder&, int x) {
    if (!progress_ || columns_ <= 0)
        return;
    const int percent = int(qint64(x + 1) * 100 / columns_);
    if (percent == shownPercent_)
        return;
    shownPercent_ = percent;
    const QByteArray line = QStringLiteral("\r%1 %2%").arg(status_).arg(percent).toUtf8();
    std::fwrite(line.constData(), 1, std::size_t(line.size()), err_);
    std::fflush(err_);
    progressShown_ = true;
}

// Only a report shows the views.
bool BatchHost::wantsReportPictures() const {
    return asksForReport(options_);
}

void BatchHost::setSheetHeader(const QStringList& headers, const QStringList&) {
    writeLine(out_, headers.join(QLatin1Char('\t')));
}

void BatchHost::appendSheetRow(const QString& tabSeparatedCells) {
    writeLine(out_, tabSeparatedCells);
}

} // namespace bladetrace::cli
