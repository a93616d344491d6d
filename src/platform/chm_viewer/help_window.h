#pragma once

#include "base/language.h"

#include <QString>
#include <QWidget>
#include <memory>

class QAction;
class QListWidget;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QUrl;

namespace bladetrace::platform {

class ChmFile;
class ChmBrowser;

// The program's own viewer of a compiled help file: contents and index beside the page.
// Pages, links and images are all read from the file; the viewer's own texts follow the
// language it is given. Child objects carry object names ("helpContents", "helpIndex",
// "helpPage") for tests.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    HelpWindow(const QString& helpFile, Language language, QWidget* parent = nullptr);
    ~HelpWindow() override;

    QString helpFile() const { return helpFile_; }
    bool isFileOpen() const;

    // Shows the contents tab and the file's first page.
    void showContents();
    // The title, tabs and buttons in `language`.
    void SwitchLanguage(Language language);

private:
    QString text(qint16 id) const;
    void widenContentsToFit();
    void fillContents();
    void fillIndex();
    void openLocal(const QString& local);
    void selectContentsEntry(const QUrl& url);

    QString helpFile_;
    Language language_;
    std::unique_ptr<ChmFile> chm_;
    QAction* back_ = nullptr;
    QAction* forward_ = nullptr;
    QAction* homeAction_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QTreeWidget* contents_ = nullptr;
    QListWidget* index_ = nullptr;
    ChmBrowser* page_ = nullptr;
    QString home_;
};

} // namespace bladetrace::platform
