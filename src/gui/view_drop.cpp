#include "view_drop.h"

#include <QFileInfo>
#include <QMimeData>
#include <QRegularExpression>
#include <QUrl>
#include <algorithm>

namespace bladetrace {
namespace {

// The local files a drag carries; none if anything else comes with them.
QStringList localFiles(const QMimeData& data) {
    QStringList files;
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile())
            return {};
        files << url.toLocalFile();
    }
    return files;
}

} // namespace

int viewNamedBy(const QString& fileName) {
    static const QStringList kTop = {QStringLiteral("top"), QStringLiteral("front"),
                                     QStringLiteral("oben"), QStringLiteral("draufsicht")};
    static const QStringList kSide = {QStringLiteral("side"), QStringLiteral("seite"),
                                      QStringLiteral("seitenansicht")};
    static const QRegularExpression separators(QStringLiteral("[^\\p{L}\\p{N}]+"));
    bool top = false, side = false;
    for (const QString& word : QFileInfo(fileName).fileName().toLower().split(separators)) {
        top = top || kTop.contains(word);
        side = side || kSide.contains(word);
    }
    return top == side ? -1 : top ? 0 : 1;
}

QList<ViewFile> droppedViews(const QMimeData& data, int target) {
    QStringList files = localFiles(data);
    if (files.size() == 2) {
        std::sort(files.begin(), files.end(), [](const QString& a, const QString& b) {
            const int byName =
                QFileInfo(a).fileName().compare(QFileInfo(b).fileName(), Qt::CaseInsensitive);
            return byName != 0 ? byName < 0 : a < b;
        });
        const int first = viewNamedBy(files[0]), second = viewNamedBy(files[1]);
        // The names disagree only in ways that point one way: swap when they point to it.
        const bool swap = first != second && (first == 1 || second == 0);
        if (swap)
            files.swapItemsAt(0, 1);
        return {{0, files[0]}, {1, files[1]}};
    }
    if (files.size() == 1 && (target == 0 || target == 1))
        return {{target, files[0]}};
    return {};
}

bool carriesViewFiles(const QMimeData& data) {
    const qsizetype count = localFiles(data).size();
    return count == 1 || count == 2;
}

} // namespace bladetrace
