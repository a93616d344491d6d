#pragma once

#include "base/language.h"

#include <QSettings>
#include <QString>
#include <QtGlobal>
#include <memory>

namespace bladetrace {

// The values the program keeps between starts: the language, the unit system, the three
// numeric inputs as the user typed them, and the two image files; beside those, the span
// matching box and the folder results were last saved to. Stored per user under application
// "Quillmark Works", section "Blade Trace". A stored value that does not convert reads as
// its default; nothing read or written here can fail.
class StoredSettings {
public:
    // The user's own store.
    StoredSettings();
    // Any store, e.g. a throwaway one in tests.
    explicit StoredSettings(std::unique_ptr<QSettings> store);
    ~StoredSettings();

    // "Language": 1 English, 2 German; anything else reads as English.
    Language language() const;
    // "Units": 0 metric, 1 imperial; anything that is no 16-bit whole number reads as 0.
    qint16 units() const;
    // "Diameter", "Velocity", "RPM": the box texts, default "1".
    QString diameter() const;
    QString velocity() const;
    QString rpm() const;
    // "TopFile", "SideFile": the stored path, or `fallback` when there is none.
    QString topFile(const QString& fallback) const;
    QString sideFile(const QString& fallback) const;
    // "MatchSpans": "1" on, anything else off.
    bool matchSpans() const;
    // "SaveFolder": empty until results were saved once.
    QString saveFolder() const;

    // Writes all seven in the order "Language", "Units", "Diameter", "RPM", "Velocity",
    // "TopFile", "SideFile". The numbers are the box texts read as numbers and written in
    // the general format ("50.0" becomes "50"); a box without a number stores "1".
    void writeAll(Language language, qint16 units, const QString& diameterText,
                  const QString& rpmText, const QString& velocityText, const QString& topFile,
                  const QString& sideFile);
    // Then "MatchSpans" and "SaveFolder".
    void writeAdded(bool matchSpans, const QString& saveFolder);

private:
    QString text(const char* key, const QString& fallback) const;
    QString path(const char* key, const QString& fallback) const;

    std::unique_ptr<QSettings> store_;
};

} // namespace bladetrace
