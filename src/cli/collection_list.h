#pragma once

#include "batch_options.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace bladetrace::cli {

// One pair of a collection and how its run is to measure it.
struct CollectionPair {
    QString name; // of its files in the output folder: NAME.csv, ...
    QString top;  // paths as the run gets them
    QString side;
    QStringList arguments; // the run's arguments, pictures first, without its outputs
    QString problem;       // why it cannot be measured at all (a folder's lone view)
};

struct CollectionList {
    std::vector<CollectionPair> pairs;
    QStringList errors;   // each a bad row or column; nothing is measured then
    QStringList warnings; // columns that are not read
};

// The manifest's columns, in the order the README lists them.
QStringList manifestColumns();

// A CSV manifest: a header row naming the columns in any order, then one row per pair;
// paths relative to the manifest's folder. An empty cell, or a missing optional column,
// takes the value the command line gives for all pairs, if any.
CollectionList readManifest(const QString& path, const BatchOptions& options);

// Every NAME-top.* (or NAME-front.*) and NAME-side.* picture in `folder`, by name; the values
// from the command line. A name with no view or two of one kind is a pair with a problem.
CollectionList readFolder(const QString& folder, const BatchOptions& options);

// The manifest or the folder `options.collection` names.
CollectionList readCollection(const BatchOptions& options);

} // namespace bladetrace::cli
