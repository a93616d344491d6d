#include "scan_preview.h"

#include "preview_offset.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

namespace bladetrace {
namespace {

constexpr qreal kFallbackRefreshHz = 60;

} // namespace

ScanPreview::ScanPreview(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ScanPreview::startScan(const QImage& holder) {
    resize(width(), holder.height());
    columnsShown_ = 0;
    const qreal hz =
        screen() && screen()->refreshRate() > 1 ? screen()->refreshRate() : kFallbackRefreshHz;
    refreshNs_ = qint64(1e9 / hz);
    sincePainted_.invalidate();
}

QRect ScanPreview::visiblePart() const {
    QRect part = rect();
    if (const QWidget* p = parentWidget())
        part &= QRect(mapFromParent(QPoint(0, 0)), p->size());
    return part;
}

void ScanPreview::showColumn(const QImage& holder, int x) {
    const QRect part = visiblePart();
    const float offset = previewPaintOffset(float(x), float(width()), float(holder.width()));
    ++columnsShown_;
    if (part.isEmpty())
        return;
    const QPoint imageOrigin(qRound(offset), 0);
    const bool coversPart = QRect(imageOrigin, holder.size()).contains(part);
    const bool last = x >= holder.width() - 1;
    if (coversPart && !last && sincePainted_.isValid() && sincePainted_.nsecsElapsed() < refreshNs_)
        return;
    sincePainted_.start();
    paintColumn(holder, part, imageOrigin);
}

void ScanPreview::paintColumn(const QImage& holder, const QRect& part, const QPoint& imageOrigin) {
    if (canvas_.size() != part.size() || canvasOrigin_ != part.topLeft()) {
        QImage fresh(part.size(), QImage::Format_RGB32);
        fresh.fill(palette().window().color());
        QPainter carry(&fresh);
        carry.drawImage(canvasOrigin_ - part.topLeft(), canvas_);
        canvas_ = fresh;
        canvasOrigin_ = part.topLeft();
    }
    // The image's pixels that land on the visible part, and nothing more.
    const QRect source = QRect(part.topLeft() - imageOrigin, part.size()) & holder.rect();
    if (!source.isEmpty()) {
        QPainter painter(&canvas_);
        painter.drawImage(source.topLeft() + imageOrigin - canvasOrigin_, holder, source);
    }
    update(part);
}

void ScanPreview::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    painter.fillRect(area, palette().window());
    if (!canvas_.isNull())
        painter.drawImage(area.topLeft(), canvas_, area.translated(-canvasOrigin_));
}

} // namespace bladetrace
