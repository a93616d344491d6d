#include "platform/registry.h"
#include "window_fixture.h"

#ifndef Q_OS_WIN
#include "platform/chm_viewer/help_window.h"
#endif

namespace bladetrace::test {
namespace {

// The About window as the main window's "?" opens it; `look` runs while it is open.
class About : public WindowTest {
protected:
    void open(std::function<void(frmAbout&)> look) {
        bool shown = false;
        dialogs.onAbout = [look, &shown](frmAbout& about) {
            shown = true;
            about.show();
            look(about);
        };
        QTest::mouseClick(window->Command1, Qt::LeftButton);
        ASSERT_TRUE(shown);
    }
};

// In English at first, no caption cramped. Choosing a language switches both windows at once,
// and what the About window shows later is in the new language: the help file beside the
// program, and the message that there is no system information. Return presses OK, the
// default button, which closes it.
TEST_F(About, ShowsItsTextsFittedAndChoosingALanguageSwitchesBothWindowsAtOnce) {
    window->chkUnits->setChecked(true);
    open([this](frmAbout& about) {
        EXPECT_EQ(about.windowTitle(), "Info about Bladetrace");
        EXPECT_EQ(about.Command1->text(), "&Help...");
        EXPECT_EQ(about.cmdOK->text(), "OK");
        EXPECT_EQ(about.cmdSysInfo->text(), "&Systeminfo...");
        EXPECT_EQ(about.lblLanguage->text(), "Language");
        EXPECT_EQ(about.cbLanguage->currentText(), "English");
        EXPECT_EQ(about.lblVersion->text(),
                  QString::asprintf("Version %d.%d.%d", BLADETRACE_VERSION_MAJOR,
                                    BLADETRACE_VERSION_MINOR, BLADETRACE_VERSION_PATCH));
        // Four paragraphs.
        const QStringList paragraphs = about.lblDescription->text().split("\r\n");
        ASSERT_EQ(paragraphs.size(), 4);
        EXPECT_EQ(paragraphs[0], "Analyzes top and side view of a propeller blade.");
        EXPECT_EQ(paragraphs[3],
                  "The scanning alorithm assumes that dark areas represent the blade.");
        EXPECT_EQ(crampedCaptions(about), QStringList());

        // A machine without any of the tools looked for.
        about.sysInfoPieces = [](std::function<void()> notAvailable) {
            platform::SysInfoPieces pieces = platform::systemSysInfoPieces(notAvailable);
            pieces.registry = platform::makeStandInRegistry({}, {});
            return pieces;
        };
        QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);
        QTest::keyClick(about.cbLanguage, Qt::Key_Down);
        ASSERT_EQ(about.cbLanguage->currentText(), "Deutsch");
        EXPECT_EQ(window->lLanguage, languageNumber(Language::German));
        EXPECT_EQ(about.windowTitle(), QString::fromUtf8("Information über Bladetrace"));
        EXPECT_EQ(about.Command1->text(), "&Hilfe...");
        EXPECT_EQ(about.lblLanguage->text(), "Sprache");
        EXPECT_EQ(window->TabStrip1->caption(3), "Steigungsverteilung");
        EXPECT_EQ(window->Label1[frmMain::kSpeedUnitLabel]->text(), "[mph]");
        // The tab's caption heads its chart too.
        EXPECT_EQ(window->ctlPitchGraph->plot().title, QString("Steigungsverteilung"));
        EXPECT_EQ(crampedCaptions(about), QStringList());
        EXPECT_TRUE(about.lblDescription->text().startsWith(
            "Analysiert Drauf- und Seitenansicht eines Propellerblatts.\r\n"));

        QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);
        EXPECT_TRUE(about.isVisible());
#ifndef Q_OS_WIN
        QTest::mouseClick(about.Command1, Qt::LeftButton);
        auto* help = about.findChild<platform::HelpWindow*>();
        ASSERT_NE(help, nullptr); // that it opens and reads the file is the help tests' part
        EXPECT_EQ(help->helpFile(), QCoreApplication::applicationDirPath() + "/Bladetrace.chm");
        EXPECT_EQ(help->windowTitle(), "Bladetrace-Hilfe");
#endif
    });
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[0].text, "System information is currently not available.");
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(dialogs.messages[0].title, "Bladetrace");
    EXPECT_EQ(dialogs.messages[1].text,
              QString::fromUtf8("Systeminformationen sind momentan nicht verfügbar."));
    EXPECT_TRUE(stored("Language").isEmpty()); // stored only at exit

    // Texts shown later are fetched in the new language.
    window->btnGo_Click();
    EXPECT_EQ(window->StatusBar1->currentMessage(), "Bereit.");

    // It opens on the language in force.
    open([](frmAbout& about) {
        EXPECT_EQ(about.cbLanguage->currentText(), "Deutsch");
        EXPECT_EQ(about.windowTitle(), QString::fromUtf8("Information über Bladetrace"));
        QTest::keyClick(&about, Qt::Key_Return);
        EXPECT_FALSE(about.isVisible());
    });
}

} // namespace
} // namespace bladetrace::test
