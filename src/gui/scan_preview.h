#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QWidget>

namespace bladetrace {

// picScroll: a strip that shows the image being scanned at its natural size, the scanned
// column kept in the middle. It keeps what it painted last; new paints go over it. The
// screen sees at most one new picture per refresh: painting every column of a wide image
// would make the display server, not the scan, set the pace.
class ScanPreview : public QWidget {
    Q_OBJECT
public:
    explicit ScanPreview(QWidget* parent = nullptr);

    // Before a scan: the strip becomes as high as the image.
    void startScan(const QImage& holder);
    // After column x: the image goes to the strip at the column's offset. Only the part of
    // the strip that its parent leaves visible is painted, and a column whose picture the
    // next one would cover whole before the screen shows it is skipped; the last never is.
    void showColumn(const QImage& holder, int x);

    int columnsShown() const { return columnsShown_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect visiblePart() const;
    void paintColumn(const QImage& holder, const QRect& part, const QPoint& imageOrigin);

    QImage canvas_; // the strip's visible part, in strip coordinates from canvasOrigin_
    QPoint canvasOrigin_;
    int columnsShown_ = 0;
    QElapsedTimer sincePainted_;
    qint64 refreshNs_ = 0;
};

} // namespace bladetrace
