#include "start_previews.h"

#include "base/app_error.h"
#include "scan/picture_loader.h"
#include "show_preview.h"

#include <QThread>
#include <new>

namespace bladetrace {

StartPreviews::StartPreviews(const std::array<QString, 2>& fileNames, QObject* parent)
    : QObject(parent) {
    for (std::size_t i = 0; i < previews_.size(); ++i)
        previews_[i].fileName = fileNames[i];
    // The loader is safe to call from any thread, one picture per call.
    thread_ = QThread::create([this] {
        for (Preview& preview : previews_) {
            try {
                if (isOrdinaryFile(preview.fileName))
                    preview.picture = loadPicture(preview.fileName);
                preview.loaded = true;
            } catch (const Failure&) {
                return;
            } catch (const std::bad_alloc&) {
                return;
            }
        }
    });
    thread_->setParent(this);
    connect(thread_, &QThread::finished, this, &StartPreviews::finished);
}

StartPreviews::~StartPreviews() {
    thread_->wait();
}

void StartPreviews::start() {
    thread_->start();
}

bool StartPreviews::running() const {
    return thread_->isRunning();
}

} // namespace bladetrace
