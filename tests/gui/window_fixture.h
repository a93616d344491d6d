#pragma once

#include "dialog_recorder.h"
#include "frm_main.h"
#include "painted_blade.h"

#include <QStatusBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace bladetrace::test {

// A loaded main window on a painted image pair, its dialogs answered by a recorder and its
// status texts and messages written to one log in the order they appear.
class WindowTest : public ::testing::Test {
protected:
    static constexpr int kFirst = 20;
    static constexpr int kLast = 380; // span 360: 42 stations

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        dialogs.log = &log;
        window = std::make_unique<frmMain>(dialogs);
        StartValues start;
        start.diameter = QStringLiteral("0.185");
        start.rpm = QStringLiteral("15000");
        start.velocity = QStringLiteral("50");
        start.topFile = paintBlade(file("top.bmp"), View::Top, kFirst, kLast);
        start.sideFile = paintBlade(file("side.bmp"), View::Side, kFirst, kLast);
        window->setStartValues(start);
        window->Form_Load();
        QObject::connect(window->StatusBar1, &QStatusBar::messageChanged, window.get(),
                         [this](const QString& text) {
                             if (!text.isEmpty())
                                 log.append(QStringLiteral("status: ") + text);
                         });
    }

    QString file(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    DialogRecorder dialogs;
    QStringList log;
    std::unique_ptr<frmMain> window;
};

} // namespace bladetrace::test
