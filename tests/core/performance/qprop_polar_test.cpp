#include "performance/qprop_polar.h"

#include <gtest/gtest.h>

namespace bladetrace {
namespace {

// A user's file as QPROP reads it: comments, blank lines, "!" notes, a Fortran exponent.
const char* const kUserFile = R"(# my propeller
  APC 10x7 E, my polar

 2   0.127      ! Nblades  [ R ]
# the section
 0.35  5.2    ! CL0     CL_a
-0.4   1.15   ! CLmin   CLmax

 0.021  0.045  0.018  0.40    ! CD0    CD2u   CD2l   CLCD0
 1.5D5  -0.5   ! REref  REexp
 0.0254 0.0254 1.0
)";

TEST(QpropPolar, ReadsAUsersFile) {
    const QpropPolarRead read = parseQpropPolar(QString::fromLatin1(kUserFile));
    EXPECT_EQ(read.error.number, 0) << read.error.description.toStdString();
    EXPECT_EQ(read.file.name, "APC 10x7 E, my polar");
    EXPECT_EQ(read.file.blades, 2);
    EXPECT_EQ(read.file.tipRadius.value_or(0), 0.127);
    const Polar& p = read.file.polar;
    const double read10[] = {p.cl0,      p.clAlpha,  p.clMin,       p.clMax, p.cd0,
                             p.cd2Upper, p.cd2Lower, p.clAtMinDrag, p.reRef, p.reExp};
    const double expected[] = {0.35, 5.2, -0.4, 1.15, 0.021, 0.045, 0.018, 0.40, 150000, -0.5};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(read10[i], expected[i]) << "coefficient " << i;
}

// The program's QPROP files carry the polar in these lines; they read back as written.
TEST(QpropPolar, LinesInTheProgramsLayoutReadBack) {
    EXPECT_EQ(
        qpropPolarLines(genericPolar(), "generic default").split('\n'),
        (QStringList{
            " 0.50  5.8                    ! CL0     CL_a                 generic default",
            "-0.3   1.2                    ! CLmin   CLmax                generic default", "",
            " 0.028  0.050  0.020  0.5     ! CD0    CD2u   CD2l   CLCD0   generic default",
            " 70000  -0.7                  ! REref  REexp                 generic default", ""}));
    Polar odd = genericPolar();
    odd.cl0 = -0.0123456;
    odd.clAlpha = 6.283185;
    odd.cd0 = 0.00875;
    odd.reRef = 123456.5;
    for (const Polar& p : {genericPolar(), defaultPolar(), odd}) {
        const QpropPolarRead read =
            parseQpropPolar("name\n3\n" + qpropPolarLines(p) + "\n 1 1 1\n");
        ASSERT_EQ(read.error.number, 0) << read.error.description.toStdString();
        EXPECT_EQ(read.file.blades, 3);
        EXPECT_FALSE(read.file.tipRadius);
        EXPECT_EQ(read.file.polar.cl0, p.cl0);
        EXPECT_EQ(read.file.polar.clAlpha, p.clAlpha);
        EXPECT_EQ(read.file.polar.cd0, p.cd0);
        EXPECT_EQ(read.file.polar.cd2Upper, p.cd2Upper);
        EXPECT_EQ(read.file.polar.reRef, p.reRef);
        EXPECT_EQ(read.file.polar.reExp, p.reExp);
    }
}

TEST(QpropPolar, ErrorsNameTheLine) {
    const struct {
        const char* name;
        const char* text;
        qint32 number;
        int line;
        const char* offending;
        const char* says = "";
    } rows[] = {
        {"bad number", "p\n\n2\n0.5 5,8\n", 13, 4, "5,8"},
        {"short line", "p\n2\n# c\n0.5 5.8\n-0.3\n", 13, 5, ""},
        {"half a blade", "p\n2.5\n", 13, 2, "2.5"},
        {"file ends", "p\n2\n0.5 5.8\n-0.3 1.2\n", 13, 0, "",
         "before its CD0 CD2u CD2l CLCD0 line"},
        {"no Reynolds line", "p\n2\n0.5 5.8\n-0.3 1.2\n0.02 0.05 0.02 0.5\n", 13, 0, "",
         "before its REref REexp line"},
        {"empty", "", 13, 0, "", "before its name line"},
        {"a name alone", "p\n", 13, 0, "", "before its Nblades [ R ] line"},
        {"one blade", "p\n1\n0.5 5.8\n-0.3 1.2\n0.02 0.05 0.02 0.5\n70000 -0.7\n", 0, 0, ""},
        {"unusable polar", "p\n2\n0.5 5.8\n1.3 1.2\n0.02 0.05 0.02 0.5\n70000 -0.7\n", 5, 0, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QpropPolarRead read = parseQpropPolar(QString::fromLatin1(row.text));
        EXPECT_EQ(read.error.number, row.number);
        EXPECT_EQ(read.line, row.line);
        EXPECT_EQ(read.offending, QString::fromLatin1(row.offending));
        EXPECT_TRUE(read.error.description.contains(QString::fromLatin1(row.says)))
            << read.error.description.toStdString();
        if (row.line > 0) {
            EXPECT_TRUE(read.error.description.contains(QStringLiteral("Line %1").arg(row.line)))
                << read.error.description.toStdString();
        }
    }
}

} // namespace
} // namespace bladetrace
