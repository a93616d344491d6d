#pragma once

#include "base/language.h"
#include "settings/stored_settings.h"

#include <QDialog>
#include <array>
#include <optional>

class QLineEdit;
class QPushButton;
class QSpinBox;

namespace bladetrace {

class Dialogs;

// The blades, the section polar and the air that the predicted performance takes: a number
// box for each, filled from the current choice, from a QPROP file or with the program's
// defaults. It closes with OK only on values that can be used; its messages and its file
// chooser go through the window's dialogs.
class frmPerformance : public QDialog {
    Q_OBJECT
public:
    frmPerformance(Dialogs& dialogs, Language language, const PerformanceChoice& choice,
                   QWidget* parent = nullptr);

    // The boxes show `choice`.
    void setChoice(const PerformanceChoice& choice);
    // What OK took; the choice the dialog opened with until then.
    const PerformanceChoice& choice() const { return choice_; }

    void btnReadQprop_Click();
    void btnDefaults_Click();
    void accept() override;

    QSpinBox* txtBlades;
    std::array<QLineEdit*, kQpropPolarFields.size()> txtPolar{}; // in QPROP's order
    QLineEdit* txtAirDensity;
    QLineEdit* txtViscosity;
    QPushButton* btnReadQprop;
    QPushButton* btnDefaults;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

private:
    QString text(qint16 id) const;
    // The boxes' values, or nothing after a message that says what is wrong.
    std::optional<PerformanceChoice> typedChoice();
    void showPolar(qint32 blades, const Polar& polar);
    void refuse(const QString& why);

    Dialogs& dialogs_;
    Language language_;
    PerformanceChoice choice_;
    // The program's lift scaling is no box of QPROP's: it comes with the polar shown.
    double liftReExp_ = 0;
    QString qpropFile_; // the file last read, where the chooser opens next
};

} // namespace bladetrace
