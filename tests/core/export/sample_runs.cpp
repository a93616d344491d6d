#include "core/export/sample_runs.h"

#include "support/painted_blades.h"
#include "support/recording_host.h"

#include <QPainter>
#include <QPolygon>
#include <QTemporaryDir>

namespace bladetrace::testing {

QImage taperedView(int height, int root, int tip) {
    QImage image(420, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const int m = height / 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawPolygon(
        QPolygon({QPoint(10, m - tip), QPoint(210, m - root), QPoint(410, m - tip),
                  QPoint(410, m + tip), QPoint(210, m + root), QPoint(10, m + tip)}));
    return image;
}

const SampleRuns& sampleRuns() {
    static const SampleRuns kept = [] {
        QTemporaryDir dir;
        RecordingHost host;
        host.topFile = saveImage(taperedView(80, 30, 8), dir.path(), "top.bmp");
        host.sideFile = saveImage(taperedView(60, 10, 12), dir.path(), "side.bmp");
        host.reportPictures = true;
        host.thickness = true;
        SampleRuns runs;
        runs.outcomes.push_back(CalcIt(host.host()));
        host.thickness = false;
        host.imperialAt = [] { return true; };
        host.diameter = QStringLiteral("7.283");
        runs.outcomes.push_back(CalcIt(host.host()));
        runs.results = host.results;
        return runs;
    }();
    return kept;
}

} // namespace bladetrace::testing
