#include "window_fixture.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>

namespace bladetrace::test {
namespace {

using QtTranslations = WindowTest;

// Qt's own dialog texts follow the window's language, back and forth: the question box's
// buttons, the file dialog's labels and buttons, its overwrite question.
TEST_F(QtTranslations, QtsDialogTextsSpeakTheWindowsLanguage) {
    const struct {
        const char* name;
        Language language;
        const char* yes;
        const char* lookIn;
        const char* open;
        const char* replace;
    } cases[] = {
        {"German", Language::German, "&Ja", "Suchen in:", "&\u00d6ffnen",
         "Die Datei %1 existiert bereits.\nSoll sie \u00fcberschrieben werden?"},
        {"English again", Language::English, "&Yes", "Look in:", "&Open",
         "%1 already exists.\nDo you want to replace it?"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        window->lLanguage = languageNumber(c.language);
        window->SwitchLanguage();
        QMessageBox box(QMessageBox::Question, "Bladetrace", "?",
                        QMessageBox::Yes | QMessageBox::No, window.get());
        EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QString::fromUtf8(c.yes));
        QFileDialog dialog(window.get(), "Select a grayscale Image");
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        const QLabel* lookIn = dialog.findChild<QLabel*>("lookInLabel");
        ASSERT_NE(lookIn, nullptr);
        EXPECT_EQ(lookIn->text(), QString::fromUtf8(c.lookIn));
        const QDialogButtonBox* buttons = dialog.findChild<QDialogButtonBox*>("buttonBox");
        ASSERT_NE(buttons, nullptr);
        EXPECT_EQ(buttons->button(QDialogButtonBox::Open)->text(), QString::fromUtf8(c.open));
        EXPECT_EQ(QCoreApplication::translate("QFileDialog",
                                              "%1 already exists.\nDo you want to replace it?"),
                  QString::fromUtf8(c.replace));
    }
}

} // namespace
} // namespace bladetrace::test
