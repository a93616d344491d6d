#include "text/added_strings.h"

#include <array>

namespace bladetrace {
namespace {

struct AddedText {
    qint16 entry;
    const char16_t* english;
    const char16_t* german;
};

constexpr std::array kAdded = {
    AddedText{str::kMatchSpans, u"Match spans", u"Spannweiten angleichen"},
    AddedText{str::kAutoThreshold, u"Auto", u"Auto"},
    AddedText{str::kNoteThreshold, u"threshold %1", u"Schwellwert %1"},
    AddedText{str::kNoteTopScaled, u"top view scaled by %1", u"Draufsicht skaliert mit %1"},
    AddedText{str::kNoteSideScaled, u"side view scaled by %1", u"Seitenansicht skaliert mit %1"},
    AddedText{str::kNoteSpansAgree, u"spans already agree",
              u"Spannweiten stimmen bereits \u00fcberein"},
    AddedText{str::kSpansDiffer, u"The spans of the two views differ by %1 %.",
              u"Die Spannweiten der beiden Ansichten unterscheiden sich um %1 %."},
    AddedText{str::kNotSamePropeller, u"The two images probably do not show the same propeller.",
              u"Die beiden Bilder zeigen wahrscheinlich nicht denselben Propeller."},
    AddedText{str::kSameAtOtherScale,
              u"If they do, take both at about the same scale and try again.",
              u"Falls doch, beide in etwa gleichem Ma\u00dfstab aufnehmen und erneut versuchen."},
    AddedText{str::kSave, u"Save\u2026", u"Speichern\u2026"},
    AddedText{str::kSaveTitle, u"Save the results", u"Ergebnisse speichern"},
    AddedText{str::kSaveCsv, u"CSV table", u"CSV-Tabelle"},
    AddedText{str::kSaveCsvRegional, u"CSV table, regional (;)", u"CSV-Tabelle, regional (;)"},
    AddedText{str::kSaveQprop, u"QPROP propeller file", u"QPROP-Propellerdatei"},
    AddedText{str::kSaveTable, u"Published table (r/R c/R beta)",
              u"Tabelle wie ver\u00f6ffentlicht (r/R c/R beta)"},
    AddedText{str::kSaveReport, u"PDF report", u"PDF-Bericht"},
    AddedText{str::kSaveChartPng, u"This chart as a PNG picture", u"Dieses Diagramm als PNG-Bild"},
    AddedText{str::kSaveChartSvg, u"This chart as an SVG drawing",
              u"Dieses Diagramm als SVG-Zeichnung"},
    AddedText{str::kHelpTitle, u"Bladetrace Help", u"Bladetrace-Hilfe"},
    AddedText{str::kHelpContents, u"Contents", u"Inhalt"},
    AddedText{str::kHelpIndex, u"Index", u"Index"},
    AddedText{str::kHelpBack, u"Back", u"Zur\u00fcck"},
    AddedText{str::kHelpForward, u"Forward", u"Vorw\u00e4rts"},
    AddedText{str::kHelpHome, u"Home", u"Startseite"},
    AddedText{str::kHelpFileMissing, u"The help file could not be opened.",
              u"Die Hilfedatei konnte nicht ge\u00f6ffnet werden."},
    AddedText{str::kHelpPageMissing, u"Page not found", u"Seite nicht gefunden"},
    AddedText{str::kReportTitle, u"Blade measurement report", u"Messbericht Propellerblatt"},
    AddedText{str::kReportInputs, u"Inputs", u"Eingaben"},
    AddedText{str::kReportUnits, u"Units", u"Einheiten"},
    AddedText{str::kReportMetric, u"metric (m, m/s)", u"metrisch (m, m/s)"},
    AddedText{str::kReportImperial, u"imperial (inch, mph)", u"imperial (inch, mph)"},
    AddedText{str::kReportOn, u"on", u"ein"},
    AddedText{str::kReportOff, u"off", u"aus"},
    AddedText{str::kReportRoot, u"root", u"Wurzel"},
    AddedText{str::kReportTip, u"tip", u"Spitze"},
    AddedText{str::kReportPage, u"Page %1 of %2", u"Seite %1 von %2"},
    AddedText{str::kReportMeasured, u"Measured", u"Gemessen"},
    AddedText{str::kCheckTopView, u"top view", u"Draufsicht"},
    AddedText{str::kCheckSideView, u"side view", u"Seitenansicht"},
    AddedText{str::kCheckTopEdge, u"top edge", u"oberen Rand"},
    AddedText{str::kCheckBottomEdge, u"bottom edge", u"unteren Rand"},
    AddedText{str::kCheckBothEdges, u"top and bottom edges", u"oberen und unteren Rand"},
    AddedText{str::kBladeCutOff,
              u"The blade in the %1 touches the picture's %2 in %3 of its %4 columns: it may be "
              u"cut off.",
              u"Das Blatt in der %1 ber\u00fchrt in %3 seiner %4 Spalten den %2 des Bildes: es ist "
              u"vielleicht abgeschnitten."},
    AddedText{str::kPaperAround, u"Take the picture with paper above and below the blade.",
              u"Das Bild mit Papier \u00fcber und unter dem Blatt aufnehmen."},
    AddedText{str::kNoteEdge, u"%1: %2 of %3 columns touch the %4",
              u"%1: %2 von %3 Spalten ber\u00fchren den %4"},
    AddedText{str::kSameFile, u"The top view and the side view are the same file:",
              u"Draufsicht und Seitenansicht sind dieselbe Datei:"},
    AddedText{str::kTwoPictures,
              u"Choose two pictures: one seen along the axis, one seen from the side.",
              u"Zwei Bilder w\u00e4hlen: eines l\u00e4ngs der Achse gesehen, eines von der "
              u"Seite."},
    AddedText{str::kNotANumber, u"%1: \"%2\" is not a number",
              u"%1: \u201e%2\u201c ist keine Zahl"},
    AddedText{str::kRootThickness, u"Thickness at the root", u"Dicke an der Wurzel"},
    AddedText{str::kTipThickness, u"Thickness at the tip", u"Dicke an der Spitze"},
    AddedText{str::kNoteViewsSwapped,
              u"The two views may be swapped: the blade angle is above 60\u00b0 everywhere "
              u"from r/R %1 to the tip.",
              u"Die beiden Ansichten sind vielleicht vertauscht: Der Blattwinkel liegt von "
              u"r/R %1 bis zur Spitze \u00fcberall \u00fcber 60\u00b0."},
    AddedText{str::kWarning, u"Warning: %1.", u"Warnung: %1."},
    AddedText{str::kWarnTipMach, u"the blade tip moves at Mach %1, faster than sound",
              u"die Blattspitze bewegt sich mit Mach %1, schneller als der Schall"},
    AddedText{str::kWarnDiameter, u"a diameter of %1\u00a0m is more than 10\u00a0m",
              u"ein Durchmesser von %1\u00a0m ist mehr als 10\u00a0m"},
    AddedText{str::kWarnNegativeSpeed,
              u"the flight speed of %1\u00a0m/s is negative and was taken as it is",
              u"die Fluggeschwindigkeit von %1\u00a0m/s ist negativ und wurde so "
              u"\u00fcbernommen"},
    AddedText{str::kSpansQuestion,
              u"The spans differ by %1 %. Do both images show the same propeller?",
              u"Die Spannweiten unterscheiden sich um %1 %. Zeigen beide Bilder denselben "
              u"Propeller?"},
    AddedText{str::kReportThresholdSet, u"%1 (set by hand)", u"%1 (von Hand eingestellt)"},
    AddedText{str::kReportThresholdAuto, u"%1 (Auto: suggested from the two images)",
              u"%1 (Auto: aus den beiden Bildern vorgeschlagen)"},
};

} // namespace

std::optional<QString> addedString(Language language, qint32 entry) {
    for (const AddedText& t : kAdded) {
        if (t.entry == entry)
            return QString::fromUtf16(language == Language::English ? t.english : t.german);
    }
    return std::nullopt;
}

} // namespace bladetrace
