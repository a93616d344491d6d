#pragma once

#include <QtGlobal>

namespace bladetrace {

// The two languages of the program, numbered as the string table and the stored settings
// number them.
enum class Language : qint32 { English = 1, German = 2 };

// The number the string table is looked up by: 1000 * number + entry.
constexpr qint32 languageNumber(Language language) {
    return qint32(language);
}

// A stored or typed number as a language: anything but German's is English.
constexpr Language languageOf(qint32 number) {
    return number == languageNumber(Language::German) ? Language::German : Language::English;
}

} // namespace bladetrace
