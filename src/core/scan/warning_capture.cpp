#include "scan/warning_capture.h"

#include <atomic>
#include <mutex>

namespace bladetrace {
namespace {

std::mutex installed;
int captures = 0; // live captures on all threads; the handler is ours while there are any
std::atomic<QtMessageHandler> previous{nullptr}; // read by the handler on any thread
thread_local WarningCapture* current = nullptr;

} // namespace

void captureMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (current && type == QtWarningMsg)
        current->warnings_ << text;
    else if (const QtMessageHandler next = previous.load())
        next(type, context, text);
}

WarningCapture::WarningCapture() : outer_(current) {
    current = this;
    const std::lock_guard<std::mutex> lock(installed);
    if (captures++ == 0)
        previous = qInstallMessageHandler(captureMessage);
}

WarningCapture::~WarningCapture() {
    current = outer_;
    const std::lock_guard<std::mutex> lock(installed);
    if (--captures == 0)
        qInstallMessageHandler(previous);
}

} // namespace bladetrace
