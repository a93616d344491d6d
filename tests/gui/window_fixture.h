#pragma once

#include "caption_fit.h"
#include "dialog_recorder.h"
#include "frm_main.h"
#include "painted_blade.h"
#include "settings/stored_settings.h"

#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace bladetrace::test {

// A throwaway settings store: a file that a test fills before the window starts and reads
// after it closes.
class SettingsFile {
public:
    SettingsFile() : path_(dir_.filePath(QStringLiteral("settings.ini"))) {}

    std::unique_ptr<QSettings> raw() const {
        return std::make_unique<QSettings>(path_, QSettings::IniFormat);
    }
    void set(const QString& key, const QString& value) const { raw()->setValue(key, value); }
    QString value(const QString& key) const { return raw()->value(key).toString(); }
    QStringList keys() const { return raw()->allKeys(); }
    // A fresh store over the file, as one start of the program sees it.
    std::unique_ptr<StoredSettings> open() const { return std::make_unique<StoredSettings>(raw()); }

private:
    QTemporaryDir dir_;
    QString path_;
};

// The captions of `window` (labels, check boxes, buttons) whose text is cut by its box or
// lies against a control beside it, by object name. A control that lies whole over another
// (the units box over the status bar) is not beside it, nor is one hidden now (the scan
// preview, which the span matching box makes way for).
inline QStringList crampedCaptions(const QWidget& window) {
    QStringList cramped;
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        const CaptionRoom caption = captionRoom(*control);
        if (caption.text.isEmpty())
            continue;
        const QRect text = caption.text.translated(control->pos()).adjusted(-1, -1, 1, 1);
        bool touches = false;
        for (const QWidget* other :
             control->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            touches |= other != control && !other->isWindow() && other->isVisibleTo(&window) &&
                       !other->geometry().contains(control->geometry()) &&
                       other->geometry().intersects(text);
        }
        if (!caption.fits() || touches)
            cramped << control->objectName();
    }
    return cramped;
}

// A loaded main window on a painted image pair, its dialogs answered by a recorder and its
// status texts and messages written to one log in the order they appear.
class WindowTest : public ::testing::Test {
protected:
    static constexpr int kFirst = 20;
    static constexpr int kLast = 380; // span 360: 42 stations

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        dialogs.log = &log;
        store.set(QStringLiteral("Diameter"), QStringLiteral("0.185"));
        store.set(QStringLiteral("RPM"), QStringLiteral("15000"));
        store.set(QStringLiteral("Velocity"), QStringLiteral("50"));
        store.set(QStringLiteral("TopFile"), paintBlade(file("top.bmp"), View::Top, kFirst, kLast));
        store.set(QStringLiteral("SideFile"),
                  paintBlade(file("side.bmp"), View::Side, kFirst, kLast));
        settings = store.open();
        window = std::make_unique<frmMain>(dialogs, *settings);
        window->Form_Load();
        QObject::connect(window->StatusBar1, &QStatusBar::messageChanged, window.get(),
                         [this](const QString& text) {
                             if (!text.isEmpty())
                                 log.append(QStringLiteral("status: ") + text);
                         });
    }

    QString file(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    SettingsFile store;
    DialogRecorder dialogs;
    QStringList log;
    std::unique_ptr<StoredSettings> settings;
    std::unique_ptr<frmMain> window;
};

} // namespace bladetrace::test
