#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

struct chmFile;

namespace bladetrace::platform {

// A compiled help file opened read-only with chmlib.
class ChmFile {
public:
    explicit ChmFile(const QString& path);
    ~ChmFile();
    ChmFile(const ChmFile&) = delete;
    ChmFile& operator=(const ChmFile&) = delete;

    bool isOpen() const { return file_ != nullptr; }

    // The bytes stored under `path` ("/en/index.html"), or nothing if there is no such entry.
    std::optional<QByteArray> read(const QString& path) const;

    // Names the compiler records in the file; empty when it records none.
    QString contentsFile() const { return contentsFile_; }
    QString indexFile() const { return indexFile_; }
    QString defaultTopic() const { return defaultTopic_; }

private:
    void readSystemFile();

    chmFile* file_ = nullptr;
    QString contentsFile_;
    QString indexFile_;
    QString defaultTopic_;
};

} // namespace bladetrace::platform
