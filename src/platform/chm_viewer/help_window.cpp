#include "platform/chm_viewer/help_window.h"

#include "base/app_error.h"
#include "platform/chm_viewer/chm_file.h"
#include "platform/chm_viewer/sitemap.h"
#include "text/string_table.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QHeaderView>
#include <QListWidget>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUrl>
#include <QVBoxLayout>

namespace bladetrace::platform {
namespace {

const QString kScheme = QStringLiteral("chm");
constexpr int kLocalRole = Qt::UserRole;

// A page named by a contents or index entry ("en/page.html#part"), as a URL of the file.
QUrl pageUrl(const QString& local) {
    return QUrl(kScheme + QStringLiteral(":/")).resolved(QUrl(local));
}

QString failurePage(const QString& headline, const QString& detail) {
    return QStringLiteral("<html><body><h3>%1</h3><p>%2</p></body></html>")
        .arg(headline.toHtmlEscaped(), detail.toHtmlEscaped());
}

// The help's own pages stand in one folder per language; "en/page.html" is English.
const QString kGermanPages = QStringLiteral("de/");
const QString kEnglishPages = QStringLiteral("en/");
const QString kGermanStart = QStringLiteral("de/index.html");

// Whether an entry opening `local` belongs in the help of `language`: those of the other
// language's folder do not, the shared ones do.
bool inLanguage(const QString& local, Language language) {
    const QString& other = language == Language::German ? kEnglishPages : kGermanPages;
    return !local.startsWith(other, Qt::CaseInsensitive);
}

// The entry a list or tree shows selected. Only a selection opens a page: the focus that
// comes to a list when the other tab is hidden makes an entry current but selects none.
QString selectedLocal(const QList<QListWidgetItem*>& items) {
    return items.isEmpty() ? QString() : items.first()->data(kLocalRole).toString();
}
QString selectedLocal(const QList<QTreeWidgetItem*>& items) {
    return items.isEmpty() ? QString() : items.first()->data(0, kLocalRole).toString();
}

} // namespace

// A text browser whose pages, style sheets and images come out of the help file.
class ChmBrowser : public QTextBrowser {
public:
    ChmBrowser(const ChmFile& chm, QWidget* parent) : QTextBrowser(parent), chm_(chm) {}

    QUrl resolve(const QUrl& link) const {
        if (!link.isRelative())
            return link;
        const QUrl base = document()->baseUrl();
        return (base.scheme() == kScheme ? base : source()).resolved(link);
    }

    // The page shown for a link to a page the file does not hold.
    QString pageMissing;

    QVariant loadResource(int type, const QUrl& name) override {
        const QUrl url = resolve(name);
        if (url.scheme() != kScheme)
            return {};
        const std::optional<QByteArray> bytes = chm_.read(url.path());
        if (type == QTextDocument::HtmlResource && !bytes)
            return failurePage(pageMissing, url.path());
        if (!bytes)
            return {};
        if (type == QTextDocument::StyleSheetResource)
            return QString::fromUtf8(*bytes);
        return *bytes;
    }

private:
    const ChmFile& chm_;
};

HelpWindow::HelpWindow(const QString& helpFile, Language language, QWidget* parent)
    : QWidget(parent, Qt::Window), helpFile_(helpFile), language_(language),
      chm_(std::make_unique<ChmFile>(helpFile)) {
    setObjectName(QStringLiteral("helpWindow"));
    setAttribute(Qt::WA_DeleteOnClose);

    tabs_ = new QTabWidget;
    contents_ = new QTreeWidget;
    contents_->setObjectName(QStringLiteral("helpContents"));
    contents_->setHeaderHidden(true);
    index_ = new QListWidget;
    index_->setObjectName(QStringLiteral("helpIndex"));
    tabs_->addTab(contents_, QString());
    tabs_->addTab(index_, QString());

    page_ = new ChmBrowser(*chm_, this);
    page_->setObjectName(QStringLiteral("helpPage"));
    page_->setOpenLinks(false);

    auto* toolBar = new QToolBar;
    back_ = toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QString());
    forward_ = toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QString());
    homeAction_ = toolBar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QString());
    back_->setEnabled(false);
    forward_->setEnabled(false);

    auto* splitter = new QSplitter;
    splitter->addWidget(tabs_);
    splitter->addWidget(page_);
    splitter->setStretchFactor(1, 3);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(toolBar);
    layout->addWidget(splitter);
    resize(900, 640);

    connect(back_, &QAction::triggered, page_, &QTextBrowser::backward);
    connect(forward_, &QAction::triggered, page_, &QTextBrowser::forward);
    connect(homeAction_, &QAction::triggered, this, [this] { openLocal(home_); });
    connect(page_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
    connect(page_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);
    connect(page_, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) {
        const QUrl url = page_->resolve(link);
        if (url.scheme() == kScheme)
            page_->setSource(url);
        else
            QDesktopServices::openUrl(url);
    });
    connect(page_, &QTextBrowser::sourceChanged, this, &HelpWindow::selectContentsEntry);
    connect(contents_, &QTreeWidget::itemSelectionChanged, this,
            [this] { openLocal(selectedLocal(contents_->selectedItems())); });
    connect(index_, &QListWidget::itemSelectionChanged, this,
            [this] { openLocal(selectedLocal(index_->selectedItems())); });

    if (chm_->isOpen())
        fillContents();
    SwitchLanguage(language);
    widenContentsToFit();
}

QString HelpWindow::text(qint16 id) const {
    try {
        return LoadLangResString(language_, id);
    } catch (const Failure&) {
        return LoadLangResString(Language::English, id);
    }
}

void HelpWindow::SwitchLanguage(Language language) {
    language_ = language;
    setWindowTitle(chm_->isOpen() ? text(str::kHelpTitle) : QFileInfo(helpFile_).fileName());
    tabs_->setTabText(0, text(str::kHelpContents));
    tabs_->setTabText(1, text(str::kHelpIndex));
    back_->setText(text(str::kHelpBack));
    forward_->setText(text(str::kHelpForward));
    homeAction_->setText(text(str::kHelpHome));
    page_->pageMissing = text(str::kHelpPageMissing);
    if (!chm_->isOpen()) {
        page_->setHtml(failurePage(text(str::kHelpFileMissing), helpFile_));
        return;
    }
    fillIndex();
    // German help opens on its own start page where the file has one.
    home_ = language == Language::German && chm_->read(kGermanStart) ? kGermanStart
                                                                     : chm_->defaultTopic();
    if (home_.isEmpty() && contents_->topLevelItemCount() > 0)
        home_ = contents_->topLevelItem(0)->data(0, kLocalRole).toString();
}

// The contents as wide as their longest entry, so that none is cut short.
void HelpWindow::widenContentsToFit() {
    contents_->header()->setStretchLastSection(false);
    contents_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    contents_->resizeColumnToContents(0);
    contents_->setMinimumWidth(contents_->columnWidth(0) + 2 * contents_->frameWidth() +
                               contents_->verticalScrollBar()->sizeHint().width());
}

// The page reads from the file while it lives, so it goes first.
HelpWindow::~HelpWindow() {
    delete page_;
}

bool HelpWindow::isFileOpen() const {
    return chm_->isOpen();
}

void HelpWindow::showContents() {
    if (!chm_->isOpen())
        return;
    tabs_->setCurrentWidget(contents_);
    openLocal(home_);
}

void HelpWindow::fillContents() {
    const std::optional<QByteArray> hhc = chm_->read(chm_->contentsFile());
    if (!hhc)
        return;
    const auto add = [](const auto& self, const std::vector<SitemapEntry>& entries,
                        QTreeWidgetItem* parent) -> void {
        for (const SitemapEntry& entry : entries) {
            auto* item = new QTreeWidgetItem(parent, QStringList{entry.name});
            item->setData(0, kLocalRole, entry.local);
            self(self, entry.children, item);
        }
    };
    for (const SitemapEntry& entry : parseSitemap(*hhc)) {
        auto* item = new QTreeWidgetItem(contents_, QStringList{entry.name});
        item->setData(0, kLocalRole, entry.local);
        add(add, entry.children, item);
        item->setExpanded(true);
    }
}

// The entries of the window's language, and the shared ones.
void HelpWindow::fillIndex() {
    const QSignalBlocker blocker(index_);
    index_->clear();
    const std::optional<QByteArray> hhk = chm_->read(chm_->indexFile());
    if (!hhk)
        return;
    const auto add = [this](const auto& self, const std::vector<SitemapEntry>& entries,
                            const QString& indent) -> void {
        for (const SitemapEntry& entry : entries) {
            if (!inLanguage(entry.local, language_))
                continue;
            auto* item = new QListWidgetItem(indent + entry.name, index_);
            item->setData(kLocalRole, entry.local);
            self(self, entry.children, indent + QStringLiteral("    "));
        }
    };
    add(add, parseSitemap(*hhk), QString());
}

void HelpWindow::openLocal(const QString& local) {
    if (!local.isEmpty())
        page_->setSource(pageUrl(local));
}

void HelpWindow::selectContentsEntry(const QUrl& url) {
    const QString path = url.path();
    for (QTreeWidgetItemIterator it(contents_); *it; ++it) {
        const QString local = (*it)->data(0, kLocalRole).toString();
        if (!local.isEmpty() && pageUrl(local).path() == path) {
            const QSignalBlocker blocker(contents_);
            contents_->setCurrentItem(*it);
            return;
        }
    }
}

} // namespace bladetrace::platform
