#pragma once

#include "caption_fit.h"
#include "dialogs.h"
#include "distribution_chart.h"
#include "frm_about.h"
#include "frm_main.h"
#include "frm_performance.h"
#include "results_grid.h"
#include "scan_preview.h"
#include "settings/stored_settings.h"
#include "support/painted_blades.h"
#include "tab_strip.h"
#include "twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace bladetrace::test {

// Answers every dialog at once and remembers what was asked.
class DialogRecorder : public Dialogs {
public:
    struct Message {
        QString text;
        MessageIcon icon;
        QString title;
        bool busyOwner;      // the hourglass over the window that shows the box
        bool busyEverywhere; // the hourglass set for the whole program, the box too
    };

    void message(QWidget* parent, const QString& text, MessageIcon icon,
                 const QString& title) override {
        messages.append({text, icon, title,
                         parent && parent->window()->cursor().shape() == Qt::WaitCursor,
                         QApplication::overrideCursor() != nullptr});
    }

    bool question(QWidget*, const QString& text, const QString&) override {
        questions << text;
        return !yes.isEmpty() && yes.takeFirst();
    }
    std::optional<QString> openImage(QWidget*, const FileRequest& r) override { return answer(r); }
    std::optional<QString> openFile(QWidget*, const FileRequest& r) override { return answer(r); }
    std::optional<SaveChoice> saveFile(QWidget*, const FileRequest& r) override {
        const std::optional<QString> name = answer(r);
        if (!name)
            return std::nullopt;
        return SaveChoice{*name, filters.isEmpty() ? r.selectedFilter : filters.takeFirst()};
    }

    // The About window is not run modally: `onAbout` looks at it and works it instead.
    void showAbout(frmAbout& about) override { onAbout(about); }
    // So is the performance dialog: `onPerformance` fills it and presses its buttons.
    bool showPerformance(frmPerformance& dialog) override {
        if (onPerformance)
            onPerformance(dialog);
        return dialog.result() == QDialog::Accepted;
    }

    QList<Message> messages;
    QStringList questions;
    QList<bool> yes;             // the answers to the questions in turn; then No
    QList<FileRequest> requests; // of the open and the save dialog, in order
    QStringList answers;         // a null string: the user cancels
    QStringList filters;         // chosen in the save dialog; none left: the one it opened with
    std::function<void(frmAbout&)> onAbout;
    std::function<void(frmPerformance&)> onPerformance;

    std::optional<QString> answer(const FileRequest& request) {
        requests.append(request);
        const QString given = answers.isEmpty() ? QString() : answers.takeFirst();
        return given.isNull() ? std::nullopt : std::optional<QString>(given);
    }
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
             control->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            touches |= other != control && !other->isWindow() && other->isVisibleTo(&window) &&
                       !other->geometry().contains(control->geometry()) &&
                       other->geometry().intersects(text);
        if (!caption.fits() || touches)
            cramped << control->objectName();
    }
    return cramped;
}

// The main window over a throwaway settings file, its dialogs answered by a recorder. By
// default it starts on a painted image pair.
class WindowTest : public ::testing::Test {
protected:
    static constexpr int kFirst = 20, kLast = 380; // span 360: 42 stations

    void SetUp() override {
        paintedPair();
        start();
    }
    void paintedPair() const {
        set("TopFile", paintView("top.bmp", true));
        set("SideFile", paintView("side.bmp", false));
    }

    // One start of the program: a fresh store over the file and a fresh window, loaded.
    void start(bool load = true) {
        window.reset();
        settings = std::make_unique<StoredSettings>(raw());
        window = std::make_unique<frmMain>(dialogs, *settings);
        if (load) {
            window->Form_Load();
            waitForStart();
        }
    }
    // The remembered pictures load off the event thread; the window is ready once they are in.
    void waitForStart() const {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !window->loading(); }, 10000));
    }

    // What a start and a run change: the title, whether the window is shown and takes input, Go
    // and Auto, the busy label, the scan strip (where the span box lies otherwise), the pointer
    // over the window and over the whole program, and which pages show.
    QString windowState() const {
        const frmMain& w = *window;
        const QLabel& busy = *w.Label1[frmMain::kBusyLabel];
        const bool charts = w.ctlChordGraph->isVisible() || w.ctlBetaGraph->isVisible() ||
                            w.ctlPitchGraph->isVisible();
        return QStringList{w.windowTitle(),
                           w.isVisible() ? "shown" : "hidden",
                           w.isEnabled() ? "enabled" : "disabled",
                           w.btnGo->isEnabled() ? "Go" : "-",
                           w.btnAuto->isEnabled() ? "Auto" : "-",
                           busy.isVisible() ? busy.text() : "-",
                           w.picScroll->isVisible() ? "strip" : "-",
                           w.chkMatchSpans->isVisible() ? "spans" : "-",
                           w.cursor().shape() == Qt::WaitCursor ? "hourglass" : "arrow",
                           QApplication::overrideCursor() ? "busy program" : "-",
                           w.grdTop->isVisible() ? "sheet" : "-",
                           charts ? "chart" : "-"}
            .join(' ');
    }
    static constexpr const char* kReady =
        "Bladetrace shown enabled Go Auto - - spans arrow - sheet -";

    QString file(const QString& name) const { return dir.filePath(name); }
    // A blade on white paper, span horizontal, in the columns kFirst to `last`, saved in the
    // format the name's suffix names.
    QString paintView(const char* name, bool top, int last = kLast) const {
        const QString path = file(QLatin1String(name));
        QImage image =
            testing::paintBand(last + 1 + kFirst, 120, kFirst, last, top ? 30 : 45, top ? 89 : 74);
        if (!top) // deeper near one tip, so that the blade angle changes along the span
            QPainter(&image).fillRect(kFirst, 40, (last - kFirst) / 4, 40, Qt::black);
        image.save(path);
        return path;
    }
    std::unique_ptr<QSettings> raw() const {
        return std::make_unique<QSettings>(file("settings.ini"), QSettings::IniFormat);
    }
    void set(const QString& key, const QString& value) const { raw()->setValue(key, value); }
    QString stored(const QString& key) const { return raw()->value(key).toString(); }

    QTemporaryDir dir;
    DialogRecorder dialogs;
    std::unique_ptr<StoredSettings> settings;
    std::unique_ptr<frmMain> window;
};

} // namespace bladetrace::test
