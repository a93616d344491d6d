#include "text/added_strings.h"

#include <array>

namespace bladetrace {
namespace {

struct AddedText {
    qint16 entry;
    const char16_t* english;
    const char16_t* german;
};

constexpr std::array kAdded = {
    AddedText{str::kMatchSpans, u"Match spans", u"Spannweiten angleichen"},
    AddedText{str::kSave, u"Save\u2026", u"Speichern\u2026"},
};

} // namespace

std::optional<QString> addedString(qint32 language, qint32 entry) {
    for (const AddedText& t : kAdded) {
        if (t.entry == entry)
            return QString::fromUtf16(language == 1 ? t.english : t.german);
    }
    return std::nullopt;
}

} // namespace bladetrace
