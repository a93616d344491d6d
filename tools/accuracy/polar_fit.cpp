#include "polar_fit.h"

#include "performance_check.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace bladetrace::accuracy {
namespace {

constexpr double kPenalty = 10; // per unit beyond a bound
constexpr double kConverged = 1e-6;

double interquartileMean(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t from = v.size() / 4, to = v.size() - v.size() / 4;
    return std::accumulate(v.begin() + std::ptrdiff_t(from), v.begin() + std::ptrdiff_t(to), 0.0) /
           double(to - from);
}

using Point = std::vector<double>;

Polar polarAt(const Polar& base, const Point& x) {
    Polar p = base;
    for (std::size_t i = 0; i < x.size(); ++i)
        p.*fitParameters()[i].field = x[i];
    return p;
}

Point pointOf(const Polar& p) {
    Point x;
    for (const FitParameter& f : fitParameters())
        x.push_back(p.*f.field);
    return x;
}

template <class F> Point simplexSearch(const F& f, const Point& start, int iterations) {
    const std::size_t n = start.size();
    std::vector<Point> s(n + 1, start);
    std::vector<double> v(n + 1);
    for (std::size_t i = 0; i < n; ++i)
        s[i + 1][i] += fitParameters()[i].step;
    for (std::size_t i = 0; i <= n; ++i)
        v[i] = f(s[i]);
    for (int it = 0; it < iterations; ++it) {
        std::vector<std::size_t> order(n + 1);
        std::iota(order.begin(), order.end(), 0);
        std::sort(order.begin(), order.end(), [&v](auto a, auto b) { return v[a] < v[b]; });
        std::vector<Point> sorted;
        std::vector<double> values;
        for (std::size_t i : order) {
            sorted.push_back(s[i]);
            values.push_back(v[i]);
        }
        s = sorted;
        v = values;
        if (v[n] - v[0] < kConverged)
            break;
        Point centre(n, 0.0);
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = 0; j < n; ++j)
                centre[j] += s[i][j] / double(n);
        const auto along = [&](double t) {
            Point p(n);
            for (std::size_t j = 0; j < n; ++j)
                p[j] = centre[j] + t * (s[n][j] - centre[j]);
            return p;
        };
        const Point reflected = along(-1);
        const double fr = f(reflected);
        if (fr < v[0]) {
            const Point expanded = along(-2);
            const double fe = f(expanded);
            s[n] = fe < fr ? expanded : reflected;
            v[n] = std::min(fe, fr);
        } else if (fr < v[n - 1]) {
            s[n] = reflected;
            v[n] = fr;
        } else {
            const Point contracted = along(fr < v[n] ? -0.5 : 0.5);
            const double fc = f(contracted);
            if (fc < std::min(fr, v[n])) {
                s[n] = contracted;
                v[n] = fc;
            } else {
                for (std::size_t i = 1; i <= n; ++i) {
                    for (std::size_t j = 0; j < n; ++j)
                        s[i][j] = s[0][j] + 0.5 * (s[i][j] - s[0][j]);
                    v[i] = f(s[i]);
                }
            }
        }
    }
    return s[std::size_t(std::min_element(v.begin(), v.end()) - v.begin())];
}

} // namespace

const std::vector<FitParameter>& fitParameters() {
    // A thin cambered section at low Reynolds numbers: lift slope below 2 pi, zero-lift angle
    // a few degrees negative, profile drag a few hundredths.
    static const std::vector<FitParameter> parameters = {
        {"CL0", &Polar::cl0, 0.05, 0.8, 0.1},
        {"CL_a", &Polar::clAlpha, 4.0, 6.28, 0.5},
        {"CLmax", &Polar::clMax, 0.8, 1.6, 0.1},
        {"CD0", &Polar::cd0, 0.01, 0.06, 0.01},
        {"CD2u", &Polar::cd2Upper, 0.005, 0.3, 0.02},
        {"REexp", &Polar::reExp, -1.0, 0.0, 0.2},
        {"lift's Reynolds exponent", &Polar::liftReExp, 0.0, 0.4, 0.1},
    };
    return parameters;
}

double fitObjective(const std::vector<FitCase>& cases, const Polar& polar) {
    std::vector<double> ct, cp;
    for (const FitCase& c : cases) {
        PerformanceInputs inputs = c.inputs;
        inputs.polar = polar;
        const TunnelPrediction p = predictTests(inputs, c.tests);
        if (p.ctErrors.empty())
            continue;
        ct.push_back(p.ctMedian());
        cp.push_back(p.cpMedian());
    }
    double penalty = 0;
    for (const FitParameter& f : fitParameters()) {
        const double v = polar.*f.field;
        penalty += kPenalty * (std::max(0.0, f.least - v) + std::max(0.0, v - f.most)) /
                   (f.most - f.least);
    }
    return interquartileMean(ct) + interquartileMean(cp) + penalty;
}

Polar fitPolar(const std::vector<FitCase>& cases, const Polar& start, int iterations) {
    const auto f = [&](const Point& x) { return fitObjective(cases, polarAt(start, x)); };
    Point x = simplexSearch(f, pointOf(start), iterations);
    x = simplexSearch(f, x, iterations);
    return polarAt(start, x);
}

} // namespace bladetrace::accuracy
