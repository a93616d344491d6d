#pragma once

#include "base/language.h"
#include "performance/blade_element.h"
#include "performance/polar.h"

#include <QSettings>
#include <QString>
#include <QtGlobal>
#include <array>
#include <memory>
#include <optional>

namespace bladetrace {

// What the predicted performance takes beside the measured blade: the user's blade count,
// section polar and air. The defaults are the program's.
struct PerformanceChoice {
    qint32 blades = 2;
    Polar polar = defaultPolar();
    Air air;
};
constexpr qint32 kMinBlades = 1;
constexpr qint32 kMaxBlades = 12;

// QPROP's ten polar parameters by the names its files give them, in their order there.
struct PolarField {
    const char* name;
    double Polar::*value;
};
constexpr std::array<PolarField, 10> kQpropPolarFields = {{{"CL0", &Polar::cl0},
                                                           {"CL_a", &Polar::clAlpha},
                                                           {"CLmin", &Polar::clMin},
                                                           {"CLmax", &Polar::clMax},
                                                           {"CD0", &Polar::cd0},
                                                           {"CD2u", &Polar::cd2Upper},
                                                           {"CD2l", &Polar::cd2Lower},
                                                           {"CLCD0", &Polar::clAtMinDrag},
                                                           {"REref", &Polar::reRef},
                                                           {"REexp", &Polar::reExp}}};

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
    // "Blades" (1..12), the polar under QPROP's names ("CL0", "CL_a", "CLmin", "CLmax",
    // "CD0", "CD2u", "CD2l", "CLCD0", "REref", "REexp") and "LiftReExp", "AirDensity",
    // "KinematicViscosity". A missing or bad blade count or air value reads as its default;
    // so does the whole polar when one of its values is missing or it cannot be used.
    PerformanceChoice performanceChoice() const;

    // Writes all seven in the order "Language", "Units", "Diameter", "RPM", "Velocity",
    // "TopFile", "SideFile". The numbers are the box texts read as numbers and written in
    // the general format ("50.0" becomes "50"); a box without a number stores "1".
    void writeAll(Language language, qint16 units, const QString& diameterText,
                  const QString& rpmText, const QString& velocityText, const QString& topFile,
                  const QString& sideFile);
    // Then "MatchSpans" and "SaveFolder".
    void writeAdded(bool matchSpans, const QString& saveFolder);
    // Then the performance choice, numbers as C numbers that read back exactly.
    void writePerformance(const PerformanceChoice& choice);

private:
    QString text(const char* key, const QString& fallback) const;
    QString path(const char* key, const QString& fallback) const;
    std::optional<double> number(const char* key) const;

    std::unique_ptr<QSettings> store_;
};

} // namespace bladetrace
