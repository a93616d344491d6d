#include "text/string_table.h"

#include "base/app_error.h"
#include "text/added_strings.h"

#include <array>
#include <limits>

namespace bladetrace {
namespace {

// English entries 0..50, then German entries 0..50, verbatim (typos and double blanks
// included: users and their documents quote them).
constexpr std::array<const char16_t*, 2 * kStringsPerLanguage> kTable = {
    // English
    u"----------ENGLISH----------",                      // 0
    u"Bladetrace",                                       // 1
    u"&Thickness Correction %",                          // 2
    u"&Go",                                              // 3
    u"?",                                                // 4
    u"...",                                              // 5
    u"...",                                              // 6
    u"Flight Speed",                                     // 7
    u"[m/s]",                                            // 8
    u"[1/min]",                                          // 9
    u"Propeller RPM",                                    // 10
    u"white threshold:",                                 // 11
    u"Working...",                                       // 12
    u"Image for Top View:",                              // 13
    u"Image for Side View:",                             // 14
    u"Actual Diameter:",                                 // 15
    u"[m]",                                              // 16
    u"Copy",                                             // 17
    u"Info about ...",                                   // 18
    u"&Help...",                                         // 19
    u"OK",                                               // 20
    u"&Systeminfo...",                                   // 21
    u"Description",                                      // 22
    u"Application Name",                                 // 23
    u"Version",                                          // 24
    u"Warning: ...",                                     // 25
    u"Info about",                                       // 26
    u"Analyzes top and side view of a propeller blade.", // 27
    u"These images can be created by placing a model prop on a scanner or by taking a digital "
    u"photograph of a full size propeller. Use a dark propeller in front of a light background "
    u"and crop the images to the smallest size possible.",                 // 28
    u"Accuracy depends on the quality of the images, though.",             // 29
    u"The scanning alorithm assumes that dark areas represent the blade.", // 30
    u"System information is currently not available.",                     // 31
    u"Language",                                                           // 32
    u"Spreadsheet",                                                        // 33
    u"Chord Distribution",                                                 // 34
    u"Twist Distribution",                                                 // 35
    u"Pitch Distribution",                                                 // 36
    u"Working...",                                                         // 37
    u"Working on Top View ...",                                            // 38
    u"Working on Side View...",                                            // 39
    u"Working on geometry...",                                             // 40
    u"Ready.",                                                             // 41
    u"Processing aborted by user (Escape pressed)",                        // 42
    u"Process cancelled",                                                  // 43
    u"Images of top and side view do not match in diameter.",              // 44
    u"Rescan with same size, better contrast or adjust threshold.",        // 45
    u"Diameter: top view",                                                 // 46
    u"side view",                                                          // 47
    u"must be larger than ZERO!  Assuming default of 1.0.",                // 48
    u"Diameter",                                                           // 49
    u"RPM",                                                                // 50
                                                                           // German
    u"----------DEUTSCH---------",                                         // 0
    u"Bladetrace",                                                         // 1
    u"&Dickenkorrektur %",                                                 // 2
    u"&Go",                                                                // 3
    u"?",                                                                  // 4
    u"...",                                                                // 5
    u"...",                                                                // 6
    u"Fluggeschwindigkeit",                                                // 7
    u"[m/s]",                                                              // 8
    u"[1/min]",                                                            // 9
    u"Propellerdrehzahl",                                                  // 10
    u"Weißabgleich:",                                                      // 11
    u"Arbeite...",                                                         // 12
    u"Bild für Draufsicht:",                                               // 13
    u"Bild für Seitenansicht:",                                            // 14
    u"Durchmesser:",                                                       // 15
    u"[m]",                                                                // 16
    u"Kopieren",                                                           // 17
    u"Info zu meiner Anwendung",                                           // 18
    u"&Hilfe...",                                                          // 19
    u"OK",                                                                 // 20
    u"&Systeminfo...",                                                     // 21
    u"Beschreibung",                                                       // 22
    u"Name der Anwendung",                                                 // 23
    u"Version",                                                            // 24
    u"Warnung: ...",                                                       // 25
    u"Information über",                                                   // 26
    u"Analysiert Drauf- und Seitenansicht eines Propellerblatts.",         // 27
    u"Diese Bilder können können durch Auflegen eines Modellpropellers auf einen Scanner oder "
    u"mit Hilfe einer Digitalphotografie eines Propellers erzeugt werden. Plazieren Sie den "
    u"Propeller vor einem hellen Hintergrund und schneiden Sie das Bild auf geringste Größe "
    u"zu.",                                                                                // 28
    u"Die Genauigkeit hängt allerdings von der Bildqualität ab.",                          // 29
    u"Der Algorithmus geht davon aus, das das Blatt dunkel und der Hintergrund hell ist.", // 30
    u"Systeminformationen sind momentan nicht verfügbar.",                                 // 31
    u"Sprache",                                                                            // 32
    u"Tabelle",                                                                            // 33
    u"Tiefenverteilung",                                                                   // 34
    u"Verwindungsverteilung",                                                              // 35
    u"Steigungsverteilung",                                                                // 36
    u"Arbeite...",                                                                         // 37
    u"Bearbeite Draufsicht...",                                                            // 38
    u"Bearbeite Seitenansicht",                                                            // 39
    u"Berechne Geometrie...",                                                              // 40
    u"Bereit.",                                                                            // 41
    u"Bearbeitung abgebrochen (Escape wurde gedrückt)",                                    // 42
    u"Vorgang Abgebrochen",                                                                // 43
    u"Draufsicht und Seitenansicht haben unterschiedliche Durchmesser ergeben.",           // 44
    u"Bitte Ansichten auf gleiche Größe bringen, Kontrast ändern oder Hintergrund weiss "
    u"einfärben.",                                           // 45
    u"Durchmesser in der Draufsicht",                        // 46
    u"in der Seitenansicht",                                 // 47
    u"muss größer als NULL sein!  Verwende 1.0 als Ersatz.", // 48
    u"Durchmesser",                                          // 49
    u"Drehzahl",                                             // 50
};

} // namespace

std::optional<QString> resourceString(qint32 id) {
    const qint32 language = id / 1000;
    const qint32 entry = id % 1000;
    if (id < 0 || language < languageNumber(Language::English) ||
        language > languageNumber(Language::German))
        return std::nullopt;
    if (entry >= kStringsPerLanguage)
        return addedString(languageOf(language), entry);
    return QString::fromUtf16(kTable[std::size_t((language - 1) * kStringsPerLanguage + entry)]);
}

QString LoadLangResString(qint32 lLanguage, qint16 ID) {
    const qint64 id = qint64(lLanguage) * 1000 + ID;
    if (id > std::numeric_limits<qint32>::max() || id < std::numeric_limits<qint32>::min())
        fail(errc::kOverflow);
    if (auto text = resourceString(qint32(id)))
        return *text;
    fail(errc::kResourceNotFound,
         QStringLiteral("Resource with identifier '%1' not found").arg(id));
}

} // namespace bladetrace
