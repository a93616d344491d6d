#pragma once

#include <QSizeF>
#include <QString>

class QLabel;

namespace bladetrace {

constexpr float kPreviewWidthTwips = 2800;

// A display of `current` twips, stretched to the preview width with its aspect ratio kept.
QSizeF previewSizeTwips(QSizeF current);

// Loads the file into the preview when it names an existing ordinary file and sizes the
// preview to 2800 twips wide. A file that is no picture fails with the loader's error
// after the preview was hidden, and it stays hidden.
void ShowPreview(QLabel& image, const QString& fileName);

} // namespace bladetrace
