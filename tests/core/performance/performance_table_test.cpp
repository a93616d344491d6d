#include "performance/performance_table.h"

#include <QLocale>
#include <cmath>
#include <gtest/gtest.h>

namespace bladetrace {
namespace {

// Read back as a spreadsheet would: each column by its header, to its decimals.
TEST(PerformanceTable, ReadsBackInBothUnits) {
    PerformancePoint a;
    a.J = 0.25;
    a.speed = 10.5833;
    a.CT = 0.10456;
    a.CP = 0.05123;
    a.eta = 0.5102;
    a.thrust = 8.7654;
    a.power = 123.456;
    a.torque = 0.23456;
    PerformancePoint b = a;
    b.thrust = -0.00001;
    for (const bool imperial : {false, true}) {
        SCOPED_TRACE(imperial);
        QLocale::setDefault(QLocale::German);
        const QStringList lines = performanceCsv({a, b}, imperial).split('\n');
        QLocale::setDefault(QLocale::c());
        ASSERT_EQ(lines.size(), 4);
        EXPECT_EQ(lines[0], imperial ? "J,V [mph],CT,CP,eta,T [lbf],P [W],Q [N m]"
                                     : "J,V [m/s],CT,CP,eta,T [N],P [W],Q [N m]");
        EXPECT_EQ(lines[0], performanceCsvHeader(imperial));
        const QStringList cells = lines[1].split(',');
        const double speed = imperial ? a.speed * 2.236936 : a.speed;
        const double thrust = imperial ? a.thrust / 4.4482216152605 : a.thrust;
        const double expected[] = {a.J, speed, a.CT, a.CP, a.eta, thrust, a.power, a.torque};
        const int decimals[] = {3, 2, 4, 4, 3, 3, 2, 4};
        ASSERT_EQ(cells.size(), 8);
        for (int c = 0; c < 8; ++c) {
            EXPECT_NEAR(cells[c].toDouble(), expected[c], 0.51 * std::pow(10.0, -decimals[c]))
                << lines[0].section(',', c, c).toStdString() << ": " << cells[c].toStdString();
            EXPECT_EQ(cells[c].section('.', 1).size(), decimals[c]) << cells[c].toStdString();
        }
        EXPECT_EQ(lines[2].section(',', 5, 5), "0.000");
        EXPECT_EQ(lines[3], "");
    }
}

} // namespace
} // namespace bladetrace
