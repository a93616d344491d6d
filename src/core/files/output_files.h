#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace bladetrace {

// A file by the name it has in messages ("--script", "the top view image") and its path.
struct NamedFile {
    QString what;
    QString path;
};

struct OutputFile {
    NamedFile file;
    QByteArray bytes;
};

enum class OutputStatus {
    Written,
    SameFile,    // an output names a kept file or another output; nothing was written
    CannotWrite, // the system refused; nothing was replaced
};

struct OutputResult {
    OutputStatus status = OutputStatus::Written;
    QString message; // names the file and the system's reason
};

// The one door out. Before a run: refuses an output that is one of the `kept` files (the
// inputs) or another output, by what the paths lead to, not by how they are spelt; and
// finds outputs that cannot be written, leaving nothing behind. Bytes are not looked at.
OutputResult checkOutputs(const QList<OutputFile>& outputs, const QList<NamedFile>& kept);

// Checks as above, then writes. A regular file, or a path that does not exist yet, is
// written whole into a temporary file beside it and then put in its place, so an old file
// stays as it was on any error; no file is replaced before all are written. Anything else
// that exists (a device, a pipe) is written directly and never replaced.
OutputResult writeOutputs(const QList<OutputFile>& outputs, const QList<NamedFile>& kept);

} // namespace bladetrace
