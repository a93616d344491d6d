#pragma once

#include <QString>
#include <QWidget>
#include <memory>

class QListWidget;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QUrl;

namespace bladetrace::platform {

class ChmFile;
class ChmBrowser;

// The program's own viewer of a compiled help file: contents and index beside the page.
// Pages, links and images are all read from the file. Child objects carry object names
// ("helpContents", "helpIndex", "helpPage") for tests.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(const QString& helpFile, QWidget* parent = nullptr);
    ~HelpWindow() override;

    QString helpFile() const { return helpFile_; }
    bool isFileOpen() const;

    // Shows the contents tab and the file's first page.
    void showContents();

private:
    void fillContents();
    void fillIndex();
    void openLocal(const QString& local);
    void selectContentsEntry(const QUrl& url);

    QString helpFile_;
    std::unique_ptr<ChmFile> chm_;
    QTabWidget* tabs_ = nullptr;
    QTreeWidget* contents_ = nullptr;
    QListWidget* index_ = nullptr;
    ChmBrowser* page_ = nullptr;
    QString home_;
};

} // namespace bladetrace::platform
