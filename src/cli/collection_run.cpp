#include "collection_run.h"

#include "base/app_error.h"
#include "collection_list.h"
#include "collection_record.h"
#include "exit_status.h"
#include "files/output_files.h"
#include "files/path_bytes.h"
#include "files/picture_file.h"
#include "interrupt.h"
#include "pair_run.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonDocument>
#include <QLocale>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <map>
#include <optional>
#include <poll.h>
#include <sched.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace bladetrace::cli {
namespace {

bool exists(const QString& path) {
    struct stat status {};
    return ::stat(pathBytes(path).constData(), &status) == 0;
}

// mkdir -p; 0 or the system's error number.
int makeFolder(const QString& path) {
    const QByteArray bytes = pathBytes(path);
    for (qsizetype end = 1; end <= bytes.size(); ++end) {
        if (end < bytes.size() && bytes[end] != '/')
            continue;
        if (::mkdir(bytes.left(end).constData(), 0777) != 0 && errno != EEXIST)
            return errno;
    }
    struct stat status {};
    return ::stat(bytes.constData(), &status) == 0 && S_ISDIR(status.st_mode) ? 0 : ENOTDIR;
}

QByteArray fileBytes(const QString& path) {
    try {
        const std::shared_ptr<PictureFile> file = openPictureFile(path);
        return QByteArray(reinterpret_cast<const char*>(file->data), file->size);
    } catch (const Failure&) {
        return QByteArray();
    }
}

// What a run said on standard error, as one line.
QString messageOf(const QByteArray& err) {
    QStringList lines;
    for (const QString& line : pathFromBytes(err).split(QLatin1Char('\n'))) {
        QString l = line.trimmed();
        if (l.startsWith(QLatin1String("bladetrace-batch: ")))
            l = l.mid(18);
        // The toolkit's own warnings (a picture's colour profile) are no news of the run.
        if (!l.isEmpty() && !l.startsWith(QLatin1String("qt.")))
            lines << l;
    }
    return lines.join(QStringLiteral("; "));
}

QString minutesAndSeconds(double seconds) {
    const qint64 s = qint64(seconds + 0.5);
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

// A pair's run in its own process.
struct Job {
    std::size_t index = 0;
    pid_t pid = -1;
    int errFd = -1;     // its standard error
    bool ended = false; // closed
    QByteArray err;
    PairRecord record;
    QString summaryFile;
};

class Collection {
public:
    Collection(const BatchOptions& options, std::vector<CollectionPair> pairs)
        : o_(options), pairs_(std::move(pairs)), current_(pairs_.size()),
          summaryFile_(options.outDir + QStringLiteral("/summary.csv")),
          recordFile_(options.outDir + QStringLiteral("/.bladetrace-collection")),
          jobs_(options.jobs > 0 ? options.jobs : availableCores()),
          tty_(::isatty(STDERR_FILENO) != 0) {
        if (!S_ISDIR(fileMode(options.collection)))
            kept_ << NamedFile{QStringLiteral("the manifest"), options.collection};
    }

    int run() {
        // Signals are noted and passed on to the runs; the summary is always written whole.
        const InterruptWaits waits;
        if (const int error = makeFolder(o_.outDir)) {
            say(QStringLiteral("cannot make the folder %1: %2")
                    .arg(o_.outDir, QString::fromLocal8Bit(std::strerror(error))));
            return kFailed;
        }
        const OutputResult check = checkOutputs(summaryOutputs({}, {}), kept_);
        if (check.status != OutputStatus::Written) {
            say(check.message);
            return check.status == OutputStatus::SameFile ? kUsage : kFailed;
        }
        if (!temporary_.isValid()) {
            say(QStringLiteral("cannot make a temporary folder: %1").arg(temporary_.errorString()));
            return kFailed;
        }
        QString warning;
        previous_ = readRecords(recordFile_, warning);
        if (!warning.isEmpty())
            say(warning);
        written_ = {fileBytes(summaryFile_), fileBytes(recordFile_)};
        plan();
        if (!writeSummary())
            return kFailed;
        clock_.start();
        work();
        clearProgress();
        say(QStringLiteral("%1 pairs: %2 measured, %3 failed (%4 run now, %5 unchanged); "
                           "summary in %6")
                .arg(pairs_.size())
                .arg(measuredNow())
                .arg(failedNow())
                .arg(finished_)
                .arg(unchanged_)
                .arg(summaryFile_));
        if (interruptRequested())
            return interruptedStatus();
        return failedNow() > 0 || summaryFailed_ ? kFailed : kDone;
    }

private:
    static mode_t fileMode(const QString& path) {
        struct stat status {};
        return ::stat(pathBytes(path).constData(), &status) == 0 ? status.st_mode : 0;
    }

    QString outputPath(const QString& name, const QString& format) const {
        return o_.outDir + QLatin1Char('/') + name + QLatin1Char('.') + format;
    }

    // What a pair's outputs depend on besides its pictures' bytes: the polar file's too,
    // which is small.
    QStringList fingerprint(const CollectionPair& pair) const {
        QStringList print = pair.arguments + QStringList{QStringLiteral("--export-formats"),
                                                         o_.exportFormats.join(QLatin1Char(','))};
        const qsizetype polar = pair.arguments.indexOf(QLatin1String("--polar"));
        if (polar >= 0 && polar + 1 < pair.arguments.size())
            print << QStringLiteral("polar SHA-1 ") +
                         QString::fromLatin1(
                             QCryptographicHash::hash(fileBytes(pair.arguments[polar + 1]),
                                                      QCryptographicHash::Sha1)
                                 .toHex());
        return print;
    }

    // Which pairs stand as they were measured, and which are to be measured.
    void plan() {
        for (std::size_t i = 0; i < pairs_.size(); ++i) {
            const CollectionPair& pair = pairs_[i];
            if (!pair.problem.isEmpty()) {
                PairRecord r;
                r.name = pair.name;
                r.status = kUsage;
                r.message = pair.problem;
                current_[i] = r;
                say(QStringLiteral("%1: not measured: %2").arg(pair.name, pair.problem));
                continue;
            }
            const auto before = previous_.find(pair.name);
            if (before != previous_.end() && before->second.settled() &&
                (!before->second.completed() || outputsExist(pair))) {
                PairRecord now = before->second;
                now.arguments = fingerprint(pair);
                now.locale = QLocale().name();
                now.top = stampPicture(pair.top, before->second.top);
                now.side = stampPicture(pair.side, before->second.side);
                if (samePair(before->second, now)) {
                    current_[i] = now;
                    ++unchanged_;
                    continue;
                }
            }
            queue_.push_back(i);
        }
        // The largest pictures first, so that no long run is left to go alone at the end.
        std::stable_sort(queue_.begin(), queue_.end(), [this](std::size_t a, std::size_t b) {
            return picturesSize(pairs_[a]) > picturesSize(pairs_[b]);
        });
        toMeasure_ = int(queue_.size());
        if (unchanged_ > 0)
            say(QStringLiteral("%1 of %2 pairs unchanged since their last run")
                    .arg(unchanged_)
                    .arg(pairs_.size()));
    }

    static qint64 picturesSize(const CollectionPair& pair) {
        return QFileInfo(pair.top).size() + QFileInfo(pair.side).size();
    }

    bool outputsExist(const CollectionPair& pair) const {
        for (const QString& format : o_.exportFormats) {
            if (!exists(outputPath(pair.name, format)))
                return false;
        }
        return true;
    }

    void work() {
        while (!running_.empty() || (!queue_.empty() && !stopping())) {
            passOnSignals();
            while (!stopping() && !queue_.empty() && int(running_.size()) < jobs_) {
                start(queue_.front());
                queue_.pop_front();
            }
            // After the next runs have started: the cores work while the summary is written.
            if (summaryDue_)
                writeSummary();
            if (running_.empty())
                continue;
            waitForRuns();
            reap();
            showProgress();
        }
        if (summaryDue_)
            writeSummary();
    }

    bool stopping() const { return interruptRequested() || summaryFailed_; }

    // A terminal's Ctrl-C reaches this process alone: the runs are in groups of their own,
    // so that each gets each signal once, from here.
    void passOnSignals() {
        const int count = interruptCount();
        for (; passedOn_ < count; ++passedOn_) {
            for (const Job& job : running_)
                ::kill(job.pid, interruptSignal());
        }
    }

    void start(std::size_t index) {
        const CollectionPair& pair = pairs_[index];
        Job job;
        job.index = index;
        job.record.name = pair.name;
        job.record.arguments = fingerprint(pair);
        job.record.locale = QLocale().name();
        const auto before = previous_.find(pair.name);
        const bool known = before != previous_.end();
        // Stamped before the run reads them: a picture changed meanwhile is measured again.
        job.record.top = stampPicture(pair.top, known ? before->second.top : PictureStamp{});
        job.record.side = stampPicture(pair.side, known ? before->second.side : PictureStamp{});
        job.summaryFile = temporary_.filePath(QStringLiteral("pair-%1.json").arg(index));

        QStringList arguments = pair.arguments;
        for (const QString& format : o_.exportFormats)
            arguments << QStringLiteral("--export") << outputPath(pair.name, format);
        arguments << QStringLiteral("--summary") << job.summaryFile;
        const ParseResult parsed = parseBatchOptions(arguments);

        int pipeFds[2] = {-1, -1};
        const int null = ::open("/dev/null", O_RDWR | O_CLOEXEC);
        const pid_t parent = ::getpid();
        std::fflush(nullptr); // nothing of this process's buffers written twice
        const pid_t pid = null >= 0 && ::pipe2(pipeFds, O_CLOEXEC) == 0 ? ::fork() : -1;
        if (pid == 0) {
            // The run goes on in this copy of the process, Qt loaded and started: starting
            // the program anew would take a third of a small pair's time.
            ::setpgid(0, 0);
#ifdef __linux__
            // Its pair is of no use once the collection has gone.
            ::prctl(PR_SET_PDEATHSIG, SIGTERM);
            if (::getppid() != parent)
                ::_exit(127);
#endif
            ::dup2(null, STDIN_FILENO);
            ::dup2(null, STDOUT_FILENO);
            ::dup2(pipeFds[1], STDERR_FILENO);
            ::_exit(runForked(parsed));
        }
        const int error = errno;
        if (null >= 0)
            ::close(null);
        if (pipeFds[1] >= 0)
            ::close(pipeFds[1]);
        if (pid < 0) {
            if (pipeFds[0] >= 0)
                ::close(pipeFds[0]);
            job.record.status = kFailed;
            job.record.message = QStringLiteral("cannot start its run: %1")
                                     .arg(QString::fromLocal8Bit(std::strerror(error)));
            finish(job);
            return;
        }
        ::setpgid(pid, pid); // whichever of the two comes first
        job.pid = pid;
        job.errFd = pipeFds[0];
        running_.push_back(job);
    }

    // A pair's run in the forked process; no destructor of the collection's runs here.
    static int runForked(const ParseResult& parsed) {
        restartInterrupts();
        const auto* options = std::get_if<BatchOptions>(&parsed);
        const int status = options ? runPair(*options) : kUsage;
        if (const auto* usage = std::get_if<UsageError>(&parsed))
            printError(usage->message);
        std::fflush(nullptr);
        return status;
    }

    void waitForRuns() {
        std::vector<pollfd> fds;
        for (const Job& job : running_)
            fds.push_back({job.errFd, POLLIN, 0});
        if (::poll(fds.data(), nfds_t(fds.size()), 250) <= 0)
            return; // a signal, or time for the progress line
        for (std::size_t i = 0; i < fds.size(); ++i) {
            Job& job = running_[i];
            if (fds[i].revents == 0)
                continue;
            char buffer[4096];
            const ssize_t n = ::read(job.errFd, buffer, sizeof buffer);
            if (n > 0)
                job.err.append(buffer, qsizetype(n));
            else if (n == 0 || (errno != EINTR && errno != EAGAIN))
                job.ended = true;
        }
    }

    void reap() {
        for (auto it = running_.begin(); it != running_.end();) {
            if (!it->ended) {
                ++it;
                continue;
            }
            // Its standard error closes as it exits, a moment before it can be waited for.
            int wait = 0;
            while (::waitpid(it->pid, &wait, 0) < 0 && errno == EINTR) {
            }
            ::close(it->errFd);
            Job job = *it;
            it = running_.erase(it);
            if (WIFEXITED(wait)) {
                job.record.status = WEXITSTATUS(wait);
                job.record.message = messageOf(job.err);
            } else {
                const int signal = WTERMSIG(wait);
                job.record.status = 128 + signal;
                job.record.message = QStringLiteral("ended by signal %1 (%2)")
                                         .arg(signal)
                                         .arg(QString::fromLocal8Bit(strsignal(signal)));
            }
            if (job.record.completed())
                readFigures(job);
            ::unlink(pathBytes(job.summaryFile).constData());
            finish(job);
        }
    }

    void readFigures(Job& job) {
        QJsonParseError error{};
        const QJsonDocument figures = QJsonDocument::fromJson(fileBytes(job.summaryFile), &error);
        if (figures.isObject()) {
            job.record.figures = figures.object();
            return;
        }
        job.record.status = kFailed;
        job.record.message = QStringLiteral("its run wrote no summary");
    }

    void finish(const Job& job) {
        const PairRecord& r = job.record;
        // Stopped by a signal passed on: measured next time.
        if (passedOn_ > 0 && (r.status == 130 || r.status == 143 || r.status == 128 + SIGINT ||
                              r.status == 128 + SIGTERM)) {
            say(QStringLiteral("%1: interrupted").arg(r.name));
            return;
        }
        ++finished_;
        if (!r.completed())
            ++failed_;
        current_[job.index] = r;
        QString line = QStringLiteral("[%1/%2] %3: %4")
                           .arg(finished_)
                           .arg(toMeasure_)
                           .arg(r.name, resultText(r.status));
        if (!r.completed())
            line += QStringLiteral(" (status %1)").arg(r.status);
        if (!r.message.isEmpty())
            line += QStringLiteral(": ") + r.message;
        say(line);
        summaryDue_ = true;
    }

    int failedNow() const {
        return int(std::count_if(current_.begin(), current_.end(),
                                 [](const auto& r) { return r && !r->completed(); }));
    }
    int measuredNow() const {
        return int(std::count_if(current_.begin(), current_.end(),
                                 [](const auto& r) { return r && r->completed(); }));
    }

    QList<OutputFile> summaryOutputs(const QByteArray& summary, const QByteArray& record) const {
        return {{{QStringLiteral("the summary"), summaryFile_}, summary},
                {{QStringLiteral("the collection's record"), recordFile_}, record}};
    }

    // Both whole or neither, and nothing written when nothing changed.
    bool writeSummary() {
        std::vector<PairRecord> records;
        for (const std::optional<PairRecord>& r : current_) {
            if (r)
                records.push_back(*r);
        }
        const std::pair<QByteArray, QByteArray> bytes{summaryBytes(records, o_.csv, o_.imperial),
                                                      recordBytes(records)};
        summaryDue_ = false;
        if (bytes == written_)
            return true;
        const OutputResult result = writeOutputs(summaryOutputs(bytes.first, bytes.second), kept_);
        if (result.status != OutputStatus::Written) {
            say(result.message);
            summaryFailed_ = true;
            return false;
        }
        written_ = bytes;
        return true;
    }

    void say(const QString& text) {
        clearProgress();
        const QByteArray bytes = pathBytes(text) + '\n';
        [[maybe_unused]] const auto n =
            std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stderr);
        std::fflush(stderr);
    }

    void clearProgress() {
        if (progressShown_)
            std::fputs("\r\033[K", stderr);
        progressShown_ = false;
    }

    void showProgress() {
        if (!tty_ || (progressShown_ && shownAt_.isValid() && shownAt_.elapsed() < 250))
            return;
        QString line = QStringLiteral("%1 of %2 done, %3 running, %4 failed")
                           .arg(finished_)
                           .arg(toMeasure_)
                           .arg(running_.size())
                           .arg(failed_);
        if (finished_ > 0 && finished_ < toMeasure_)
            line += QStringLiteral(", about %1 left")
                        .arg(minutesAndSeconds(double(clock_.elapsed()) / 1000 *
                                               (toMeasure_ - finished_) / finished_));
        clearProgress();
        const QByteArray bytes = pathBytes(line);
        [[maybe_unused]] const auto n =
            std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stderr);
        std::fflush(stderr);
        progressShown_ = true;
        shownAt_.start();
    }

    const BatchOptions& o_;
    std::vector<CollectionPair> pairs_;
    std::vector<std::optional<PairRecord>> current_; // what the summary shows, by pair
    std::map<QString, PairRecord> previous_;
    QString summaryFile_;
    QString recordFile_;
    QList<NamedFile> kept_;
    int jobs_;
    bool tty_;
    QTemporaryDir temporary_;
    std::pair<QByteArray, QByteArray> written_;
    std::deque<std::size_t> queue_;
    std::vector<Job> running_;
    int toMeasure_ = 0;
    int finished_ = 0;
    int failed_ = 0;
    int unchanged_ = 0;
    int passedOn_ = 0;
    bool summaryFailed_ = false;
    bool summaryDue_ = false;
    QElapsedTimer clock_;
    QElapsedTimer shownAt_;
    bool progressShown_ = false;
};

} // namespace

int availableCores() {
#ifdef __linux__
    cpu_set_t set;
    CPU_ZERO(&set);
    if (::sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0)
        return CPU_COUNT(&set);
#endif
    return std::max(1, QThread::idealThreadCount());
}

int runCollection(const BatchOptions& options) {
    const CollectionList list = readCollection(options);
    for (const QString& warning : list.warnings)
        std::fprintf(stderr, "bladetrace-batch: %s\n", pathBytes(warning).constData());
    if (!list.errors.isEmpty()) {
        for (const QString& error : list.errors)
            std::fprintf(stderr, "bladetrace-batch: %s\n", pathBytes(error).constData());
        return kUsage;
    }
    return Collection(options, list.pairs).run();
}

} // namespace bladetrace::cli
