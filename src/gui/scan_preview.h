#pragma once

#include <QImage>
#include <QWidget>

namespace bladetrace {

// picScroll: a strip that shows the image being scanned at its natural size, the scanned
// column kept in the middle. It keeps what it painted last; new paints go over it.
class ScanPreview : public QWidget {
    Q_OBJECT
public:
    explicit ScanPreview(QWidget* parent = nullptr);

    // Before a scan: the strip becomes as high as the image.
    void startScan(const QImage& holder);
    // After column x: the image goes to the strip at the column's offset. Only the part of
    // the strip that its parent leaves visible is painted.
    void showColumn(const QImage& holder, int x);

    int columnsShown() const { return columnsShown_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect visiblePart() const;

    QImage canvas_; // the strip's visible part, in strip coordinates from canvasOrigin_
    QPoint canvasOrigin_;
    int columnsShown_ = 0;
};

} // namespace bladetrace
