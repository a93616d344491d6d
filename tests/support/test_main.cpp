#ifdef BLADETRACE_TESTS_NEED_WIDGETS
#include <QApplication>
#else
#include <QGuiApplication>
#endif
#include <QLocale>
#include <QStandardPaths>
#include <gtest/gtest.h>

// Every test program runs inside a Qt application with a fixed locale and a throwaway
// settings location, whatever the machine's own are.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(QLocale::c());
    ::testing::InitGoogleTest(&argc, argv);
#ifdef BLADETRACE_TESTS_NEED_WIDGETS
    QApplication app(argc, argv);
#else
    QGuiApplication app(argc, argv);
#endif
    return RUN_ALL_TESTS();
}
