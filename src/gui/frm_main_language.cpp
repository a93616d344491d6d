#include "caption_fit.h"
#include "distribution_chart.h"
#include "frm_main.h"
#include "qt_translations.h"
#include "tab_strip.h"
#include "text/units.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace bladetrace {

// Every caption of the window that follows the language, in a fixed order. The unit labels
// name the unit the boxes hold, so imperial units keep theirs.
void frmMain::SwitchLanguage() {
    setWindowTitle(text(str::kCaption));
    useQtTranslations(languageOf(lLanguage));
    chkThicknessCorrection->setText(text(str::kThicknessCorrection));
    btnGo->setText(text(str::kGo));
    Command1->setText(text(str::kAbout));
    btnFileName[1]->setText(text(str::kBrowseSide));
    btnFileName[0]->setText(text(str::kBrowseTop));
    Label1[kSpeedLabel]->setText(text(str::kFlightSpeed));
    Label1[kSpeedUnitLabel]->setText(chkUnits->isChecked() ? mphLabel() : text(str::kSpeedUnit));
    Label1[kRpmUnitLabel]->setText(text(str::kRpmUnit));
    Label1[kRpmLabel]->setText(text(str::kPropellerRpm));
    Label1[kThresholdLabel]->setText(text(str::kWhiteThreshold));
    Label1[kBusyLabel]->setText(text(str::kBusy));
    Label2->setText(text(str::kTopImage));
    Label3->setText(text(str::kSideImage));
    Label1[kDiameterLabel]->setText(text(str::kActualDiameter));
    Label1[kDiameterUnitLabel]->setText(chkUnits->isChecked() ? inchLabel()
                                                              : text(str::kDiameterUnit));
    btnCopy->setText(text(str::kCopy));
    TabStrip1->setCaption(0, text(str::kTabSheet));
    TabStrip1->setCaption(1, text(str::kTabChord));
    TabStrip1->setCaption(2, text(str::kTabTwist));
    TabStrip1->setCaption(3, text(str::kTabPitch));
    chkMatchSpans->setText(text(str::kMatchSpans));
    btnAuto->setText(text(str::kAutoThreshold));
    btnSave->setText(text(str::kSave));
    for (DistributionChart* chart : {ctlChordGraph, ctlBetaGraph, ctlPitchGraph})
        chart->setLanguage(languageOf(lLanguage));
    fitCaptions(*this);
}

} // namespace bladetrace
