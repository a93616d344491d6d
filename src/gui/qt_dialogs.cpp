#include "qt_dialogs.h"

#include "frm_about.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>

namespace bladetrace {
namespace {

// "CSV table (*.csv)" gives "csv".
QString filterSuffix(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    return pattern.match(filter).captured(1);
}

std::optional<QString> chosenFile(QFileDialog& dialog, const FileRequest& request) {
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

} // namespace

void QtDialogs::message(QWidget* parent, const QString& text, MessageIcon icon,
                        const QString& title) {
    QMessageBox box(icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon,
                    title, text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtDialogs::question(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtDialogs::openImage(QWidget* parent, const FileRequest& request) {
    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return chosenFile(dialog, request);
}

std::optional<SaveChoice> QtDialogs::saveFile(QWidget* parent, const FileRequest& request) {
    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The format follows the extension: a bare name takes that of the chosen filter.
    dialog.setDefaultSuffix(filterSuffix(request.selectedFilter));
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString& filter) { dialog.setDefaultSuffix(filterSuffix(filter)); });
    std::optional<QString> chosen = chosenFile(dialog, request);
    // A dialog of the desktop may ignore the default suffix.
    if (!chosen)
        return std::nullopt;
    if (QFileInfo(*chosen).suffix().isEmpty())
        *chosen += QLatin1Char('.') + filterSuffix(dialog.selectedNameFilter());
    return SaveChoice{*chosen, dialog.selectedNameFilter()};
}

void QtDialogs::showAbout(frmAbout& about) {
    about.exec();
}

} // namespace bladetrace
