#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

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
    SameFile,    // an output names a kept file, standard output or error, or another output
    CannotWrite, // the system refused; the old files are as they were
    Stopped,     // asked to stop before anything was replaced; the old files are as they were
};

struct OutputResult {
    OutputStatus status = OutputStatus::Written;
    QString message; // names the file and the system's reason
};

// The one door out. Paths reach the system as pathBytes spells them.
//
// Before a run: refuses an output that is one of the `kept` files (the inputs), the file
// standard output or standard error goes to, or another output, by what the paths lead to,
// not by how they are spelt; and finds outputs that cannot be written, leaving nothing
// behind. Bytes are not looked at.
OutputResult checkOutputs(const QList<OutputFile>& outputs, const QList<NamedFile>& kept);

// Checks as above, then writes all or none: the old set of files or the new one, under any
// single failure.
// - A regular file, or a name still to be made (at the end of a chain of links: a loop is
//   an error), is written whole beside it and renamed into its place with the old file's
//   owner, group and mode.
// - A regular file that cannot be so replaced without a change, because it has other hard
//   links or its owner or mode cannot be given to a new file, is written in place, its old
//   bytes kept in memory until all is done.
// - Anything else that exists (a device, a pipe) is written directly.
// Streams are written first and the files only then: an old file is replaced or rewritten
// only once every output has been written, and all are put back if one of them fails.
// `stopAsked` is asked until then; when it says yes, nothing is replaced (Stopped), and a
// wait for a pipe that a signal interrupts ends.
OutputResult writeOutputs(const QList<OutputFile>& outputs, const QList<NamedFile>& kept,
                          const std::function<bool()>& stopAsked = {});

} // namespace bladetrace
