#include "performance_report.h"

#include "comparison.h"
#include "performance_plot.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace bladetrace::accuracy {
namespace {

constexpr double kRefused = std::numeric_limits<double>::infinity();
constexpr double kTargetPhotographs = 0.10;
constexpr double kTargetTables = 0.08;
constexpr double kCurveRpm = 5000; // of a propeller's tests, the plot shows the one nearest
constexpr double kSameRpm = 0.03;  // and those within 3 % of its RPM
constexpr int kFitIterations = 400;
constexpr int kLeftOutIterations = 100;

QString value(double v, int decimals) {
    return std::isinf(v) ? QStringLiteral("–") : fixed(v, decimals);
}

QString signedValue(double v) {
    return std::isnan(v) ? QStringLiteral("–")
                         : (v >= 0 ? QStringLiteral("+") : QString()) + fixed(v, 3);
}

// A refused pair's figure, and in brackets the figure after the span question's yes.
QString afterYes(double refused, double yes) {
    return refused == yes
               ? value(refused, 3)
               : value(refused, 3) + QStringLiteral(" (") + value(yes, 3) + QLatin1Char(')');
}

struct Predictions {
    TunnelPrediction table;
    TunnelPrediction photographed;
    TunnelPrediction answered;
    bool measured = false;
    bool measuredAfterYes = false;
    double ct() const { return measured ? photographed.ctMedian() : kRefused; }
    double cp() const { return measured ? photographed.cpMedian() : kRefused; }
    double ctAfterYes() const { return measuredAfterYes ? answered.ctMedian() : ct(); }
    double cpAfterYes() const { return measuredAfterYes ? answered.cpMedian() : cp(); }
};

Predictions predict(const PerformanceCase& c, const Polar& polar) {
    Predictions p;
    p.table = predictTests(performanceInputs(c, c.table, polar), c.tests);
    p.measured = !c.photographed.empty();
    if (p.measured)
        p.photographed = predictTests(performanceInputs(c, c.photographed, polar), c.tests);
    p.measuredAfterYes = !c.answered.empty();
    if (p.measuredAfterYes)
        p.answered = predictTests(performanceInputs(c, c.answered, polar), c.tests);
    return p;
}

std::vector<double> withoutRefused(std::vector<double> v) {
    v.erase(std::remove(v.begin(), v.end(), kRefused), v.end());
    return v;
}

// Medians over propellers of the per-propeller medians.
struct Summary {
    std::vector<double> tableCT, tableCP, photoCT, photoCP; // refused pairs as kRefused
    std::vector<double> yesCT, yesCP;                       // the span question answered yes
    int points = 0;
    bool converged = true;

    void add(const Predictions& p) {
        tableCT.push_back(p.table.ctMedian());
        tableCP.push_back(p.table.cpMedian());
        photoCT.push_back(p.ct());
        photoCP.push_back(p.cp());
        yesCT.push_back(p.ctAfterYes());
        yesCP.push_back(p.cpAfterYes());
        for (const TunnelTest& t : p.table.tests)
            points += int(t.points.size());
        converged = converged && p.table.converged && (!p.measured || p.photographed.converged);
    }
};

QString met(double ct, double cp, double target) {
    const bool a = ct <= target, b = cp <= target;
    return a && b ? QStringLiteral("met")
           : a    ? QStringLiteral("CT met, CP **missed**")
           : b    ? QStringLiteral("CP met, CT **missed**")
                  : QStringLiteral("**missed**");
}

// The curves of the RPM nearest kCurveRpm, joined into one (the tunnel often ran two
// overlapping ones at about the same RPM), and their files' names.
TunnelTest plottedTests(const PerformanceCase& c, QStringList& files) {
    double rpm = 0;
    for (const TunnelTest& t : c.tests)
        if (!t.isStatic && (rpm == 0 || std::fabs(t.rpm - kCurveRpm) < std::fabs(rpm - kCurveRpm)))
            rpm = t.rpm;
    TunnelTest joined;
    joined.rpm = rpm;
    for (const TunnelTest& t : c.tests) {
        if (t.isStatic || std::fabs(t.rpm - rpm) > kSameRpm * rpm)
            continue;
        files << t.file;
        joined.points.insert(joined.points.end(), t.points.begin(), t.points.end());
    }
    return joined;
}

const TunnelPoint* staticPointNear(const PerformanceCase& c, double rpm) {
    const TunnelPoint* best = nullptr;
    for (const TunnelTest& t : c.tests)
        if (t.isStatic)
            for (const TunnelPoint& p : t.points)
                if (!best || std::fabs(p.rpm - rpm) < std::fabs(best->rpm - rpm))
                    best = &p;
    return best;
}

QString polarText(const Polar& p) {
    return QStringLiteral("CL0 %1, CL_a %2, CLmin %3, CLmax %4, CD0 %5, CD2u %6, CD2l %7, "
                          "CLCD0 %8, REref %9, REexp %10, lift's Reynolds exponent %11")
        .arg(p.cl0)
        .arg(p.clAlpha)
        .arg(p.clMin)
        .arg(p.clMax)
        .arg(p.cd0)
        .arg(p.cd2Upper)
        .arg(p.cd2Lower)
        .arg(p.clAtMinDrag)
        .arg(p.reRef)
        .arg(p.reExp)
        .arg(p.liftReExp);
}

// The table's stations with the chord or the angle taken from the photographs.
Distribution mixed(const Distribution& table, const Distribution& photographed, bool chord,
                   bool angle) {
    Distribution d = table;
    for (std::size_t i = 0; i < d.rR.size(); ++i) {
        if (chord)
            d.cOverR[i] = interpolate(photographed.rR, photographed.cOverR, d.rR[i]);
        if (angle)
            d.betaDeg[i] = interpolate(photographed.rR, photographed.betaDeg, d.rR[i]);
    }
    return d;
}

// Which of the two measured quantities the photographs' differences come from.
QString errorSources(const std::vector<PerformanceCase>& cases) {
    QString t = QStringLiteral("| blade | \\|ΔCT\\|/CT | \\|ΔCP\\|/CP |\n|---|---:|---:|\n");
    const struct {
        const char* name;
        bool chord, angle;
    } rows[] = {{"published table", false, false},
                {"chord from the photographs, angle from the table", true, false},
                {"chord from the table, angle from the photographs", false, true},
                {"both from the photographs (at the table's stations)", true, true}};
    int measured = 0;
    for (const auto& row : rows) {
        std::vector<double> ct, cp;
        measured = 0;
        for (const PerformanceCase& c : cases) {
            if (c.photographed.empty())
                continue;
            ++measured;
            const TunnelPrediction p = predictTests(
                performanceInputs(c, mixed(c.table, c.photographed, row.chord, row.angle),
                                  defaultPolar()),
                c.tests);
            ct.push_back(p.ctMedian());
            cp.push_back(p.cpMedian());
        }
        t +=
            QStringLiteral("| %1 | %2 | %3 |\n")
                .arg(QString::fromLatin1(row.name), value(medianOf(ct), 3), value(medianOf(cp), 3));
    }
    return QStringLiteral("Where the photographs' differences come from: the %1 measured "
                          "propellers with chord and angle taken from the table or from the "
                          "photographs, at the table's stations (medians over propellers).\n\n")
               .arg(measured) +
           t;
}

std::vector<FitCase> fitCases(const std::vector<PerformanceCase>& cases, int leftOut) {
    std::vector<FitCase> fit;
    for (int i = 0; i < int(cases.size()); ++i)
        if (i != leftOut)
            fit.push_back({cases[std::size_t(i)].key,
                           performanceInputs(cases[std::size_t(i)], cases[std::size_t(i)].table,
                                             genericPolar()),
                           cases[std::size_t(i)].tests});
    return fit;
}

} // namespace

PerformanceInputs performanceInputs(const PerformanceCase& c, const Distribution& blade,
                                    const Polar& polar) {
    PerformanceInputs in;
    in.blade = bladeSections(blade);
    in.tipRadius = c.diameter / 2;
    in.blades = c.blades;
    in.polar = polar;
    return in;
}

QString performanceSection(const std::vector<PerformanceCase>& cases, const QStringList& plotted,
                           std::vector<NamedPicture>& plots) {
    QString t = QStringLiteral("| propeller | D [m] | blades | counted points | photographs: "
                               "\\|ΔCT\\|/CT | \\|ΔCP\\|/CP | "
                               "Δη peak | tables: \\|ΔCT\\|/CT | \\|ΔCP\\|/CP | Δη peak |\n"
                               "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    Summary fitted, generic;
    for (const PerformanceCase& c : cases) {
        const Predictions p = predict(c, defaultPolar());
        fitted.add(p);
        generic.add(predict(c, genericPolar()));
        t += QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 | %7 | %8 | %9 | %10 |\n")
                 .arg(c.title, fixed(c.diameter, 4))
                 .arg(c.blades)
                 .arg(p.table.ctErrors.size())
                 .arg(afterYes(p.ct(), p.ctAfterYes()), afterYes(p.cp(), p.cpAfterYes()),
                      p.measured ? signedValue(p.photographed.peakEtaDifference())
                                 : QStringLiteral("refused"),
                      value(p.table.ctMedian(), 3), value(p.table.cpMedian(), 3),
                      signedValue(p.table.peakEtaDifference()));
    }
    const int n = int(cases.size());
    const int measured = int(withoutRefused(fitted.photoCT).size());
    t += QStringLiteral("| **median of %1**, a refused pair counted as worst | | | | **%2** | "
                        "**%3** | | **%4** | **%5** | |\n")
             .arg(n)
             .arg(value(medianOf(fitted.photoCT), 3), value(medianOf(fitted.photoCP), 3),
                  value(medianOf(fitted.tableCT), 3), value(medianOf(fitted.tableCP), 3));
    t += QStringLiteral("| **median of the %1 measured** | | | | **%2** | **%3** | | | | |\n")
             .arg(measured)
             .arg(value(medianOf(withoutRefused(fitted.photoCT)), 3),
                  value(medianOf(withoutRefused(fitted.photoCP)), 3));

    const auto targetRow = [](const QString& name, double ct, double cp, double target) {
        return QStringLiteral("| %1 | %2 | %3 | ≤ %4 | %5 |\n")
            .arg(name, value(ct, 3), value(cp, 3), fixed(target, 2), met(ct, cp, target));
    };
    t += QStringLiteral("\n| target | \\|ΔCT\\|/CT | \\|ΔCP\\|/CP | required | |\n"
                        "|---|---:|---:|---:|---|\n") +
         targetRow(QStringLiteral("from photographs, median of %1, a refused pair counted as "
                                  "worst")
                       .arg(n),
                   medianOf(fitted.photoCT), medianOf(fitted.photoCP), kTargetPhotographs) +
         targetRow(QStringLiteral("from photographs, median of %1, pairs at two scales measured "
                                  "as after the window's question answered yes (%2 measured)")
                       .arg(n)
                       .arg(withoutRefused(fitted.yesCT).size()),
                   medianOf(fitted.yesCT), medianOf(fitted.yesCP), kTargetPhotographs) +
         targetRow(QStringLiteral("from photographs, median of the %1 measured").arg(measured),
                   medianOf(withoutRefused(fitted.photoCT)),
                   medianOf(withoutRefused(fitted.photoCP)), kTargetPhotographs) +
         targetRow(QStringLiteral("from the published tables, median of %1").arg(n),
                   medianOf(fitted.tableCT), medianOf(fitted.tableCP), kTargetTables);

    t += QStringLiteral("\nThe same with QPROP's generic polar (%1), for comparison:\n\n"
                        "| polar | photographs (%2 measured): \\|ΔCT\\|/CT | \\|ΔCP\\|/CP | "
                        "tables: \\|ΔCT\\|/CT | \\|ΔCP\\|/CP |\n|---|---:|---:|---:|---:|\n")
             .arg(polarText(genericPolar()))
             .arg(measured);
    for (const auto& [name, s] :
         {std::pair<QString, const Summary*>{QStringLiteral("generic"), &generic},
          std::pair<QString, const Summary*>{QStringLiteral("default"), &fitted}})
        t += QStringLiteral("| %1 | %2 | %3 | %4 | %5 |\n")
                 .arg(name, value(medianOf(withoutRefused(s->photoCT)), 3),
                      value(medianOf(withoutRefused(s->photoCP)), 3),
                      value(medianOf(s->tableCT), 3), value(medianOf(s->tableCP), 3));
    t += QLatin1Char('\n') + errorSources(cases);
    t += QStringLiteral("\nThe solver %1 at every element of all %2 measured points, from both "
                        "blades and with both polars.\n\n")
             .arg(fitted.converged && generic.converged
                      ? QStringLiteral("found the inflow angle")
                      : QStringLiteral("**did not** find the inflow angle"))
             .arg(fitted.points);

    for (const PerformanceCase& c : cases) {
        QStringList files;
        const TunnelTest test = plottedTests(c, files);
        if (!plotted.contains(c.key) || test.points.empty())
            continue;
        std::vector<PredictedCurve> curves = {
            {QStringLiteral("from the table"),
             performanceCurve(performanceInputs(c, c.table, defaultPolar()), test.rpm)}};
        if (!c.photographed.empty())
            curves.push_back(
                {QStringLiteral("from the photographs"),
                 performanceCurve(performanceInputs(c, c.photographed, defaultPolar()), test.rpm)});
        const QString file = QStringLiteral("performance_%1.png").arg(c.key);
        plots.push_back(
            {file, plotPerformance(c.title, test, staticPointNear(c, test.rpm), curves)});
        t += QStringLiteral("![%1: CT, CP and efficiency over J, wind tunnel and predicted]"
                            "(plots/%2)\n\n%1: the wind tunnel's points of the tests within 3 % of "
                            "%3 rpm (%4) and of the static test at the nearest RPM; the "
                            "predictions at %3 rpm with the default polar, from the published "
                            "table and from the blade measured in the photographs.\n\n")
                 .arg(c.title, file)
                 .arg(test.rpm, 0, 'f', 0)
                 .arg(files.join(QStringLiteral(", ")));
    }
    return t;
}

QString polarFitSection(const std::vector<PerformanceCase>& cases) {
    std::fprintf(stderr, "fitting the polar to all %d propellers\n", int(cases.size()));
    const std::vector<FitCase> all = fitCases(cases, -1);
    const Polar fitted = fitPolar(all, genericPolar(), kFitIterations);
    std::fprintf(stderr, "fitted: %s\n", qPrintable(polarText(fitted)));
    QString t =
        QStringLiteral("One fit over the published tables of all %1 propellers, from QPROP's "
                       "generic polar (lift's Reynolds exponent 0): objective %2 at the start, "
                       "%3 fitted, %4 with the rounded defaults.\n\n"
                       "| coefficient | generic | bounds | fitted | default |\n"
                       "|---|---:|---:|---:|---:|\n")
            .arg(cases.size())
            .arg(fixed(fitObjective(all, genericPolar()), 4), fixed(fitObjective(all, fitted), 4),
                 fixed(fitObjective(all, defaultPolar()), 4));
    for (const FitParameter& f : fitParameters())
        t += QStringLiteral("| %1 | %2 | %3 … %4 | %5 | %6 |\n")
                 .arg(QString::fromUtf8(f.name))
                 .arg(genericPolar().*f.field)
                 .arg(f.least)
                 .arg(f.most)
                 .arg(fixed(fitted.*f.field, 4))
                 .arg(defaultPolar().*f.field);

    t += QStringLiteral("\nLeft out one at a time: the polar fitted to the other %1 "
                        "propellers' tables, starting from the fit above, predicts the one "
                        "left out.\n\n| left out | CL0 | CL_a | CLmax | CD0 | CD2u | REexp | "
                        "lift's Re exp. | \\|ΔCT\\|/CT | \\|ΔCP\\|/CP | with the default: "
                        "\\|ΔCT\\|/CT | \\|ΔCP\\|/CP |\n"
                        "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n")
             .arg(cases.size() - 1);
    std::vector<double> ct, cp, ctDefault, cpDefault;
    for (int k = 0; k < int(cases.size()); ++k) {
        const PerformanceCase& c = cases[std::size_t(k)];
        std::fprintf(stderr, "fitting without %s\n", qPrintable(c.key));
        const Polar p = fitPolar(fitCases(cases, k), fitted, kLeftOutIterations);
        std::fprintf(stderr, "  %s\n", qPrintable(polarText(p)));
        const TunnelPrediction left = predictTests(performanceInputs(c, c.table, p), c.tests);
        const TunnelPrediction withDefault =
            predictTests(performanceInputs(c, c.table, defaultPolar()), c.tests);
        ct.push_back(left.ctMedian());
        cp.push_back(left.cpMedian());
        ctDefault.push_back(withDefault.ctMedian());
        cpDefault.push_back(withDefault.cpMedian());
        t += QStringLiteral("| %1 |").arg(c.title);
        for (const FitParameter& f : fitParameters())
            t += QStringLiteral(" %1 |").arg(fixed(p.*f.field, 3));
        t += QStringLiteral(" %1 | %2 | %3 | %4 |\n")
                 .arg(fixed(ct.back(), 3), fixed(cp.back(), 3), fixed(ctDefault.back(), 3),
                      fixed(cpDefault.back(), 3));
    }
    t += QStringLiteral("| **median** | | | | | | | | **%1** | **%2** | **%3** | **%4** |\n")
             .arg(fixed(medianOf(ct), 3), fixed(medianOf(cp), 3), fixed(medianOf(ctDefault), 3),
                  fixed(medianOf(cpDefault), 3));
    return t;
}

} // namespace bladetrace::accuracy
