#pragma once

#include <QList>
#include <QString>

class QMimeData;

namespace bladetrace {

// A view (0 top, 1 side) and the file dropped for it.
struct ViewFile {
    int index;
    QString fileName;
};

// What a drop of files on the main window sets. Two files set both views, the top view
// taking the first by name; one file sets the view it was dropped on (`target` 0 or 1, -1
// for none). Anything else, and anything but local files, sets nothing.
QList<ViewFile> droppedViews(const QMimeData& data, int target);

} // namespace bladetrace
