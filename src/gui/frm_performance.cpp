#include "frm_performance.h"

#include "base/app_info.h"
#include "dialogs.h"
#include "performance/qprop_polar.h"
#include "text/added_strings.h"
#include "text/number_format.h"
#include "text/string_table.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <cmath>

namespace bladetrace {
namespace {

// A QPROP file's polar is in its first lines; more is no such file.
constexpr qint64 kMaxQpropBytes = 1 << 20;

QLabel* heading(QWidget* parent, const QString& caption) {
    auto* label = new QLabel(caption, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

} // namespace

frmPerformance::frmPerformance(Dialogs& dialogs, Language language, const PerformanceChoice& choice,
                               QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), language_(language), choice_(choice) {
    setObjectName(QStringLiteral("frmPerformance"));
    setWindowTitle(text(str::kPerfSettingsTitle));
    auto* grid = new QGridLayout(this);
    int row = 0;
    grid->addWidget(new QLabel(text(str::kPerfBlades), this), row, 0);
    txtBlades = new QSpinBox(this);
    txtBlades->setObjectName(QStringLiteral("txtBlades"));
    txtBlades->setRange(kMinBlades, kMaxBlades);
    grid->addWidget(txtBlades, row++, 1);

    // Two parameters a row, as QPROP's files pair them.
    grid->addWidget(heading(this, text(str::kPerfPolar)), row++, 0, 1, 4);
    for (std::size_t i = 0; i < txtPolar.size(); ++i) {
        const QString name = QLatin1String(kQpropPolarFields[i].name);
        txtPolar[i] = new QLineEdit(this);
        txtPolar[i]->setObjectName(QStringLiteral("txtPolar_%1").arg(i));
        txtPolar[i]->setAccessibleName(name);
        const int column = int(i % 2) * 2;
        grid->addWidget(new QLabel(name, this), row, column);
        grid->addWidget(txtPolar[i], row, column + 1);
        row += int(i % 2);
    }

    grid->addWidget(heading(this, text(str::kPerfAir)), row++, 0, 1, 4);
    txtAirDensity = new QLineEdit(this);
    txtAirDensity->setObjectName(QStringLiteral("txtAirDensity"));
    txtAirDensity->setAccessibleName(text(str::kPerfAirDensity));
    grid->addWidget(new QLabel(text(str::kPerfAirDensity), this), row, 0, 1, 3);
    grid->addWidget(txtAirDensity, row++, 3);
    txtViscosity = new QLineEdit(this);
    txtViscosity->setObjectName(QStringLiteral("txtViscosity"));
    txtViscosity->setAccessibleName(text(str::kPerfViscosity));
    grid->addWidget(new QLabel(text(str::kPerfViscosity), this), row, 0, 1, 3);
    grid->addWidget(txtViscosity, row++, 3);

    btnReadQprop = new QPushButton(text(str::kPerfReadQprop), this);
    btnReadQprop->setObjectName(QStringLiteral("btnReadQprop"));
    btnDefaults = new QPushButton(text(str::kPerfDefaults), this);
    btnDefaults->setObjectName(QStringLiteral("btnDefaults"));
    grid->addWidget(btnReadQprop, row, 0, 1, 2);
    grid->addWidget(btnDefaults, row++, 2, 1, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    cmdOK = buttons->button(QDialogButtonBox::Ok);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel = buttons->button(QDialogButtonBox::Cancel);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    grid->addWidget(buttons, row, 0, 1, 4);

    connect(btnReadQprop, &QPushButton::clicked, this, &frmPerformance::btnReadQprop_Click);
    connect(btnDefaults, &QPushButton::clicked, this, &frmPerformance::btnDefaults_Click);
    connect(buttons, &QDialogButtonBox::accepted, this, &frmPerformance::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &frmPerformance::reject);
    setChoice(choice);
}

QString frmPerformance::text(qint16 id) const {
    return LoadLangResString(language_, id);
}

void frmPerformance::setChoice(const PerformanceChoice& choice) {
    showPolar(choice.blades, choice.polar);
    txtAirDensity->setText(formatGeneral(choice.air.density));
    txtViscosity->setText(formatGeneral(choice.air.kinematicViscosity));
}

void frmPerformance::showPolar(qint32 blades, const Polar& polar) {
    txtBlades->setValue(blades);
    for (std::size_t i = 0; i < txtPolar.size(); ++i)
        txtPolar[i]->setText(formatGeneral(polar.*kQpropPolarFields[i].value));
    liftReExp_ = polar.liftReExp;
}

void frmPerformance::refuse(const QString& why) {
    dialogs_.message(this, why, MessageIcon::Critical, appTitle());
}

// The file's blade count and polar; the air stays as typed. A file the dialog cannot use
// changes nothing.
void frmPerformance::btnReadQprop_Click() {
    FileRequest request;
    request.title = text(str::kPerfReadTitle);
    request.filters = QStringList{text(str::kSaveQprop) + QStringLiteral(" (*.qprop *.txt *.dat)"),
                                  text(str::kAllFiles) + QStringLiteral(" (*)")};
    request.selectedFilter = request.filters.constLast(); // QPROP's own files have no suffix
    request.fileName = qpropFile_;
    const std::optional<QString> chosen = dialogs_.openFile(this, request);
    if (!chosen)
        return;
    qpropFile_ = *chosen;
    QFile file(*chosen);
    if (!file.open(QIODevice::ReadOnly)) {
        refuse(
            text(str::kPerfCannotRead).arg(QDir::toNativeSeparators(*chosen), file.errorString()));
        return;
    }
    const QpropPolarRead read = parseQpropPolar(QString::fromUtf8(file.read(kMaxQpropBytes)));
    if (read.error.number != 0) {
        refuse(read.error.description);
        return;
    }
    showPolar(read.file.blades, read.file.polar);
}

void frmPerformance::btnDefaults_Click() {
    setChoice(PerformanceChoice{});
}

std::optional<PerformanceChoice> frmPerformance::typedChoice() {
    PerformanceChoice typed = choice_;
    typed.blades = qint32(txtBlades->value());
    const auto number = [this](const QLineEdit& box) -> std::optional<double> {
        const std::optional<double> value = tryParseNumber(box.text());
        if (!value || !std::isfinite(*value))
            refuse(text(str::kNotANumber).arg(box.accessibleName(), box.text()));
        return value;
    };
    for (std::size_t i = 0; i < txtPolar.size(); ++i) {
        const std::optional<double> value = number(*txtPolar[i]);
        if (!value)
            return std::nullopt;
        typed.polar.*kQpropPolarFields[i].value = *value;
    }
    typed.polar.liftReExp = liftReExp_;
    const QString problem = polarProblem(typed.polar);
    if (!problem.isEmpty()) {
        refuse(text(str::kPerfBadPolar).arg(problem));
        return std::nullopt;
    }
    const std::optional<double> density = number(*txtAirDensity);
    if (!density)
        return std::nullopt;
    const std::optional<double> viscosity = number(*txtViscosity);
    if (!viscosity)
        return std::nullopt;
    if (*density <= 0 || *viscosity <= 0) {
        refuse(text(str::kPerfBadAir));
        return std::nullopt;
    }
    typed.air.density = *density;
    typed.air.kinematicViscosity = *viscosity;
    return typed;
}

void frmPerformance::accept() {
    const std::optional<PerformanceChoice> typed = typedChoice();
    if (!typed)
        return;
    choice_ = *typed;
    QDialog::accept();
}

} // namespace bladetrace
