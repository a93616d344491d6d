#pragma once

#include <QLabel>
#include <QSizeF>
#include <QString>

namespace bladetrace {

constexpr float kPreviewWidthTwips = 2800;
// The room below each preview before the next row of controls, less a small gap.
constexpr float kPreviewHeightTwips = 660;

// imgPreview: one picture shown at the size ShowPreview gives it. Only that many pixels are
// kept, scaled once when the picture or the size changes, not the whole picture.
class PreviewImage : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    // The picture's own size in pixels; empty while it holds none.
    QSize naturalSize() const { return naturalSize_; }
    // Takes `picture` as the one shown and scales it to the display's present size.
    void setPicture(const QImage& picture);
    // Sizes the display and scales what it holds to the new size.
    void resizeTo(const QSize& size);
    // Holds no picture any more; the size stays.
    void clearPicture();

private:
    QSize naturalSize_;
};

// A display of `current` twips, stretched to the preview width with its aspect ratio kept.
QSizeF previewSizeTwips(QSizeF current);

// Loads the file into the preview when it names an existing ordinary file and sizes the
// preview to 2800 twips wide, or less if a tall picture would then reach into the controls
// below. A file that is no picture fails with the loader's error after the preview was
// hidden, and it stays hidden.
void ShowPreview(PreviewImage& image, const QString& fileName);

// ShowPreview's steps after the loading, for a picture loaded elsewhere: null when the name
// named no ordinary file.
void showLoadedPreview(PreviewImage& image, const QImage& loaded);

// Whether a name names a file ShowPreview loads: an existing ordinary file, not hidden.
bool isOrdinaryFile(const QString& fileName);

// For a name the user typed: as ShowPreview when it names a picture; otherwise the preview
// holds nothing and stays hidden, so that it never shows a picture other than the named one.
void showPreviewOrNothing(PreviewImage& image, const QString& fileName);

} // namespace bladetrace
