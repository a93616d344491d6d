#include "scan/warning_capture.h"

#include <atomic>
#include <cstdio>
#include <mutex>
#include <utility>

#ifdef __GLIBC__
#include <cerrno>
#include <unistd.h>
#endif

namespace bladetrace {

void captureText(const char* text, qsizetype size);

namespace {

std::mutex installed;
int captures = 0; // live captures on all threads; the handler is ours while there are any
std::atomic<QtMessageHandler> previous{nullptr}; // read by the handler on any thread
thread_local WarningCapture* current = nullptr;

#ifdef __GLIBC__
// libpng and libtiff print their errors on `stderr` themselves (Qt's readers give them no
// handler of their own). From the first capture on, `stderr` is a stream that hands a
// capturing thread's text to its capture and writes every other thread's straight to file
// descriptor 2, as the C library's stream would: a per-thread redirection, where redirecting
// the descriptor would take other threads' text too.
ssize_t writeText(void*, const char* text, size_t size) {
    if (current) {
        captureText(text, qsizetype(size));
        return ssize_t(size);
    }
    for (size_t done = 0; done < size;) {
        const ssize_t n = ::write(STDERR_FILENO, text + done, size - done);
        if (n < 0 && errno != EINTR)
            return done > 0 ? ssize_t(done) : -1;
        done += n > 0 ? size_t(n) : 0;
    }
    return ssize_t(size);
}

void captureLibraryText() {
    static FILE* const stream = [] {
        cookie_io_functions_t io = {};
        io.write = writeText;
        FILE* s = fopencookie(nullptr, "w", io);
        if (s)
            std::setvbuf(s, nullptr, _IONBF, 0);
        return s;
    }();
    if (stream)
        stderr = stream;
}
#else
void captureLibraryText() {}
#endif

} // namespace

void captureMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (current && type == QtWarningMsg)
        current->warnings_ << text;
    else if (const QtMessageHandler next = previous.load()) {
        // What the handler prints of a message passed on is not the libraries' text.
        WarningCapture* const capturing = std::exchange(current, nullptr);
        next(type, context, text);
        current = capturing;
    }
}

void captureText(const char* text, qsizetype size) {
    QByteArray& line = current->line_;
    line.append(text, size);
    for (qsizetype end; (end = line.indexOf('\n')) >= 0; line.remove(0, end + 1))
        current->warnings_ << QString::fromLocal8Bit(line.left(end));
}

WarningCapture::WarningCapture() : outer_(current) {
    current = this;
    const std::lock_guard<std::mutex> lock(installed);
    if (captures++ == 0)
        previous = qInstallMessageHandler(captureMessage);
    static const bool library = (captureLibraryText(), true);
    Q_UNUSED(library);
}

WarningCapture::~WarningCapture() {
    current = outer_;
    const std::lock_guard<std::mutex> lock(installed);
    if (--captures == 0)
        qInstallMessageHandler(previous);
}

const QStringList& WarningCapture::warnings() const {
    if (!line_.isEmpty())
        warnings_ << QString::fromLocal8Bit(std::exchange(line_, {}));
    return warnings_;
}

} // namespace bladetrace
