#include "geometry/airfoil.h"

#include "base/checked_math.h"
#include "geometry/base_section.h"
#include "text/error_report.h"
#include "text/number_format.h"

#include <QIODevice>
#include <cmath>

namespace bladetrace {
namespace {

constexpr int kPasses = 10;

// Always a decimal point: a comma would run into the script's own separators.
QByteArray scriptNumber(double value) {
    return formatFixed(value, 7, QLocale::c()).toLatin1();
}

} // namespace

bool Airfoil(float rR, float& dBeta, float& dCR, float dX0, float dZ0, float dRootPercent,
             float dTipPercent, QIODevice& script, ReportHost& host) {
    try {
        const double t = double(dRootPercent) -
                         std::fabs(double(rR)) * (double(dRootPercent) - double(dTipPercent));
        std::array<SectionPoint, kSectionPoints> section = kBaseSection;
        for (SectionPoint& p : section)
            p.y = toSingle(t * (double(p.y) / 10.0));

        // The section is kept until the last pass is through, so a failure writes nothing.
        QByteArray curve;
        double theta = dBeta;
        double c = dCR;
        for (int pass = 1; pass <= kPasses; ++pass) {
            const bool last = pass == kPasses;
            double zMax = 0.0;
            if (last)
                curve += "_Curve \r\n";
            const double cosT = std::cos(theta);
            const double sinT = std::sin(theta);
            for (const SectionPoint& p : section) {
                const double X = (p.x * cosT + p.y * sinT) / 100.0 * dCR;
                const double Z = (-p.x * sinT + p.y * cosT) / 100.0 * dCR;
                if (Z > zMax)
                    zMax = Z;
                if (last)
                    curve += "w" + scriptNumber(X + dX0) + "," + scriptNumber(rR) + "," +
                             scriptNumber(Z + dZ0) + "\r\n";
            }
            // Projected width in the top view and height in the side view of the section as
            // measured, less what its thickness adds above the leading edge.
            const double a = double(dCR) * std::cos(double(dBeta));
            const double h = double(dCR) * std::sin(double(dBeta)) - zMax;
            theta = std::atan(checkedDivide(h, a));
            c = std::sqrt(a * a + h * h);
            if (last)
                curve += "_Enter\r\n";
        }
        const float newBeta = toSingle(theta);
        const float newChord = toSingle(c);
        if (script.write(curve) != curve.size())
            fail(errc::kPathFileAccess, script.errorString());
        dBeta = newBeta;
        dCR = newChord;
        return true;
    } catch (const Failure& failure) {
        ErrorHandler(host, failure.error(), QStringLiteral("Airfoil()"));
        return false;
    }
}

} // namespace bladetrace
