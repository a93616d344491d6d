#include "qt_dialogs.h"

#include "frm_about.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace bladetrace {

void QtDialogs::message(QWidget* parent, const QString& text, MessageIcon icon,
                        const QString& title) {
    QMessageBox box(icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon,
                    title, text, QMessageBox::Ok, parent);
    box.exec();
}

std::optional<QString> QtDialogs::openImage(QWidget* parent, const OpenImageRequest& request) {
    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(request.filters);
    dialog.selectNameFilter(request.selectedFilter);
    const QFileInfo start(request.fileName);
    if (start.isAbsolute())
        dialog.setDirectory(start.absolutePath());
    dialog.selectFile(start.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

void QtDialogs::showAbout(frmAbout& about) {
    about.exec();
}

} // namespace bladetrace
