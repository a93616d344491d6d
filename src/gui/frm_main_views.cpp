#include "base/app_error.h"
#include "frm_main.h"
#include "prepare/threshold_suggestion.h"
#include "scan/picture_loader.h"
#include "show_preview.h"
#include "text/error_report.h"
#include "view_drop.h"
#include "window_run_host.h"

#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QSlider>
#include <new>

// The two views: chosen by Browse or dropped on the window, and the threshold the program
// suggests for them.
namespace bladetrace {

void frmMain::btnFileName_Click(int Index) {
    if (const std::optional<QString> chosen = ctlOpenImage.show(this))
        SetImageFile(Index, *chosen);
}

void frmMain::SetImageFile(int Index, const QString& fileName) {
    // Any failure ends it silently; what was done stays done.
    try {
        (Index != 0 ? txtSideFile : txtTopFile)->setText(fileName);
        if (Index < 0 || Index >= int(imgPreview.size()))
            return;
        thresholdFromAuto_ = false;
        previewFile_[std::size_t(Index)] = fileName;
        ShowPreview(*imgPreview[std::size_t(Index)], fileName);
    } catch (const Failure&) {
    }
}

void frmMain::txtFileName_EditingFinished(int Index) {
    const QString fileName = (Index != 0 ? txtSideFile : txtTopFile)->text();
    const auto i = std::size_t(Index);
    if (fileName == previewFile_[i])
        return;
    thresholdFromAuto_ = false;
    previewFile_[i] = fileName;
    showPreviewOrNothing(*imgPreview[i], fileName);
}

int frmMain::viewAt(const QPoint& pos) const {
    for (const QWidget* w = childAt(pos); w; w = w->parentWidget()) {
        for (int i = 0; i < int(imgPreview.size()); ++i) {
            if (w == imgPreview[std::size_t(i)] || w == (i == 0 ? txtTopFile : txtSideFile))
                return i;
        }
    }
    return -1;
}

// Files are taken here, wherever they are dragged: a path box would otherwise paste the
// name as text, and one file over neither view has no place to go.
bool frmMain::viewDropEvent(QWidget* receiver, QEvent* event) {
    auto* drop = static_cast<QDropEvent*>(event);
    if (!drop->mimeData() || !drop->mimeData()->hasUrls())
        return false;
    // Entered anywhere: the toolkit sends the moves that follow only to a control that took
    // the entry, and the previews lie inside the panel, which a drag crosses first. Whether a
    // place takes the files is said move by move.
    if (event->type() == QEvent::DragEnter) {
        if (carriesViewFiles(*drop->mimeData()))
            drop->acceptProposedAction();
        else
            drop->ignore();
        return true;
    }
    const QPoint pos = receiver->mapTo(this, drop->position().toPoint());
    const QList<ViewFile> views = droppedViews(*drop->mimeData(), viewAt(pos));
    if (views.isEmpty()) {
        drop->ignore();
        return true;
    }
    drop->acceptProposedAction();
    if (event->type() == QEvent::Drop) {
        for (const ViewFile& view : views)
            SetImageFile(view.index, view.fileName);
    }
    return true;
}

void frmMain::btnAuto_Click() {
    // A name typed and not yet confirmed is the one the suggestion is for.
    for (int i = 0; i < int(imgPreview.size()); ++i)
        txtFileName_EditingFinished(i);
    try {
        host_->setBusyPointer(true);
        const QImage top = loadPicture(txtTopFile->text());
        const QImage side = loadPicture(txtSideFile->text());
        sldThreshold->setValue(suggestThreshold(top, side));
        thresholdFromAuto_ = true;
        host_->setBusyPointer(false);
    } catch (const Failure& failure) {
        ErrorHandler(*host_, failure.error(), QStringLiteral("btnAuto_Click()"));
    } catch (const std::bad_alloc&) {
        ErrorHandler(*host_, makeError(errc::kOutOfMemory), QStringLiteral("btnAuto_Click()"));
    }
}

} // namespace bladetrace
