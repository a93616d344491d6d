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

// The view a file's name says it shows, by a word of its own between separators, in any
// case: "top", "front", "oben", "draufsicht" the top view (0), "side", "seite",
// "seitenansicht" the side view (1); -1 when it names neither or both.
int viewNamedBy(const QString& fileName);

// What a drop of files on the main window sets. Two files set both views: a name that says
// which view it is decides, else the top view takes the first by name. One file sets the
// view it was dropped on (`target` 0 or 1, -1 for none). Anything else, and anything but
// local files, sets nothing.
QList<ViewFile> droppedViews(const QMimeData& data, int target);

// Whether a drag carries what droppedViews takes somewhere on the window: one or two local
// files.
bool carriesViewFiles(const QMimeData& data);

} // namespace bladetrace
