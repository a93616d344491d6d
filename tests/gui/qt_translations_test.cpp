#include "window_fixture.h"

#include <QMessageBox>

namespace bladetrace::test {
namespace {

using QtTranslations = WindowTest;

// Qt's own dialog texts follow the window's language, back and forth: the question box's
// buttons and the file dialog's overwrite question (both from Qt's one catalogue).
TEST_F(QtTranslations, QtsDialogTextsSpeakTheWindowsLanguage) {
    const struct {
        const char* name;
        Language language;
        const char* yes;
        const char* replace;
    } cases[] = {
        {"German", Language::German, "&Ja",
         "Die Datei %1 existiert bereits.\nSoll sie \u00fcberschrieben werden?"},
        {"English again", Language::English, "&Yes",
         "%1 already exists.\nDo you want to replace it?"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        window->lLanguage = languageNumber(c.language);
        window->SwitchLanguage();
        QMessageBox box(QMessageBox::Question, "Bladetrace", "?",
                        QMessageBox::Yes | QMessageBox::No, window.get());
        EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QString::fromUtf8(c.yes));
        EXPECT_EQ(QCoreApplication::translate("QFileDialog",
                                              "%1 already exists.\nDo you want to replace it?"),
                  QString::fromUtf8(c.replace));
    }
}

} // namespace
} // namespace bladetrace::test
