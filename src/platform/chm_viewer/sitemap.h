#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace bladetrace::platform {

// One entry of a contents (.hhc) or index (.hhk) file: its name, the page it opens (may be
// empty for a book) and the entries nested below it.
struct SitemapEntry {
    QString name;
    QString local;
    std::vector<SitemapEntry> children;
};

// Reads the nested lists of sitemap objects; other objects and markup are skipped.
std::vector<SitemapEntry> parseSitemap(const QByteArray& html);

} // namespace bladetrace::platform
