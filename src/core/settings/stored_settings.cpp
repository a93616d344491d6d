#include "settings/stored_settings.h"

#include "text/number_format.h"

#include <QLocale>
#include <cmath>
#include <limits>
#include <vector>

namespace bladetrace {
namespace {

const QString kDefaultNumber = QStringLiteral("1");

QString storedNumber(const QString& boxText) {
    const auto value = tryParseNumber(boxText);
    return value ? formatGeneral(*value) : kDefaultNumber;
}

// QPROP's parameters and the program's own one.
std::vector<PolarField> storedPolarFields() {
    std::vector<PolarField> fields(kQpropPolarFields.begin(), kQpropPolarFields.end());
    fields.push_back({"LiftReExp", &Polar::liftReExp});
    return fields;
}

bool positive(const std::optional<double>& value) {
    return value && *value > 0;
}

} // namespace

StoredSettings::StoredSettings()
    : StoredSettings(std::make_unique<QSettings>(
          QSettings::UserScope, QStringLiteral("Quillmark Works"), QStringLiteral("Blade Trace"))) {
}

StoredSettings::StoredSettings(std::unique_ptr<QSettings> store) : store_(std::move(store)) {}

StoredSettings::~StoredSettings() = default;

QString StoredSettings::text(const char* key, const QString& fallback) const {
    return store_->value(QLatin1String(key), fallback).toString();
}

// A text that is no number reads as 0, so anything but German is English.
Language StoredSettings::language() const {
    return languageOf(text("Language", QStringLiteral("1")).trimmed().toInt());
}

qint16 StoredSettings::units() const {
    return text("Units", QStringLiteral("0")).trimmed().toShort() != 0 ? 1 : 0;
}

QString StoredSettings::diameter() const {
    return text("Diameter", kDefaultNumber);
}
QString StoredSettings::velocity() const {
    return text("Velocity", kDefaultNumber);
}
QString StoredSettings::rpm() const {
    return text("RPM", kDefaultNumber);
}

// A hand-edited file may hold a path with an unquoted comma, which the store reads as a list
// of texts; joined back it is the path again.
QString StoredSettings::path(const char* key, const QString& fallback) const {
    const QVariant value = store_->value(QLatin1String(key), fallback);
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

QString StoredSettings::topFile(const QString& fallback) const {
    return path("TopFile", fallback);
}
QString StoredSettings::sideFile(const QString& fallback) const {
    return path("SideFile", fallback);
}

bool StoredSettings::matchSpans() const {
    return text("MatchSpans", QStringLiteral("0")).trimmed() == QLatin1String("1");
}

QString StoredSettings::saveFolder() const {
    return path("SaveFolder", QString());
}

// Written by the program in the C locale, whatever the user's locale was then.
std::optional<double> StoredSettings::number(const char* key) const {
    bool ok = false;
    const double value = text(key, QString()).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

PerformanceChoice StoredSettings::performanceChoice() const {
    PerformanceChoice choice;
    const std::optional<double> blades = number("Blades");
    if (blades && *blades == std::floor(*blades) && *blades >= kMinBlades && *blades <= kMaxBlades)
        choice.blades = qint32(*blades);
    Polar polar;
    bool complete = true;
    for (const PolarField& k : storedPolarFields()) {
        const std::optional<double> value = number(k.name);
        complete = complete && value.has_value();
        polar.*k.value = value.value_or(0.0);
    }
    if (complete && polarProblem(polar).isEmpty())
        choice.polar = polar;
    const std::optional<double> density = number("AirDensity");
    const std::optional<double> viscosity = number("KinematicViscosity");
    if (positive(density))
        choice.air.density = *density;
    if (positive(viscosity))
        choice.air.kinematicViscosity = *viscosity;
    return choice;
}

void StoredSettings::writeAll(Language language, qint16 units, const QString& diameterText,
                              const QString& rpmText, const QString& velocityText,
                              const QString& topFile, const QString& sideFile) {
    store_->setValue(QStringLiteral("Language"), QString::number(languageNumber(language)));
    store_->setValue(QStringLiteral("Units"), QString::number(units));
    store_->setValue(QStringLiteral("Diameter"), storedNumber(diameterText));
    store_->setValue(QStringLiteral("RPM"), storedNumber(rpmText));
    store_->setValue(QStringLiteral("Velocity"), storedNumber(velocityText));
    store_->setValue(QStringLiteral("TopFile"), topFile);
    store_->setValue(QStringLiteral("SideFile"), sideFile);
    store_->sync();
}

void StoredSettings::writeAdded(bool matchSpans, const QString& saveFolder) {
    store_->setValue(QStringLiteral("MatchSpans"),
                     matchSpans ? QStringLiteral("1") : QStringLiteral("0"));
    store_->setValue(QStringLiteral("SaveFolder"), saveFolder);
    store_->sync();
}

void StoredSettings::writePerformance(const PerformanceChoice& choice) {
    const auto write = [this](const char* key, double value) {
        store_->setValue(QLatin1String(key),
                         QString::number(value, 'g', QLocale::FloatingPointShortest));
    };
    store_->setValue(QStringLiteral("Blades"), QString::number(choice.blades));
    for (const PolarField& k : storedPolarFields())
        write(k.name, choice.polar.*k.value);
    write("AirDensity", choice.air.density);
    write("KinematicViscosity", choice.air.kinematicViscosity);
    store_->sync();
}

} // namespace bladetrace
