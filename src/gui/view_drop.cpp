#include "view_drop.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <algorithm>

namespace bladetrace {

QList<ViewFile> droppedViews(const QMimeData& data, int target) {
    QStringList files;
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile())
            return {};
        files << url.toLocalFile();
    }
    if (files.size() == 2) {
        std::sort(files.begin(), files.end(), [](const QString& a, const QString& b) {
            const int byName =
                QFileInfo(a).fileName().compare(QFileInfo(b).fileName(), Qt::CaseInsensitive);
            return byName != 0 ? byName < 0 : a < b;
        });
        return {{0, files[0]}, {1, files[1]}};
    }
    if (files.size() == 1 && (target == 0 || target == 1))
        return {{target, files[0]}};
    return {};
}

} // namespace bladetrace
