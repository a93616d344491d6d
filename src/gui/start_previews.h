#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <array>

class QThread;

namespace bladetrace {

// The pictures of the two remembered views, loaded for the start-up off the event thread,
// so that the window paints and takes a close while a large pair decodes. As at every
// start, a top view that is no picture ends the loading: the side view is then skipped.
class StartPreviews : public QObject {
    Q_OBJECT
public:
    struct Preview {
        QString fileName;
        bool loaded = false; // looked at: the file is a picture, or names no ordinary file
        QImage picture;      // null when the name names no ordinary file
    };

    explicit StartPreviews(const std::array<QString, 2>& fileNames, QObject* parent = nullptr);
    // Waits for a load still running: the decoder cannot be stopped half way.
    ~StartPreviews() override;

    void start();
    bool running() const;
    // What the load found; read after finished().
    const std::array<Preview, 2>& previews() const { return previews_; }

Q_SIGNALS:
    void finished();

private:
    std::array<Preview, 2> previews_;
    QThread* thread_ = nullptr;
};

} // namespace bladetrace
