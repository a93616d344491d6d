#pragma once

#include "base/language.h"

namespace bladetrace {

// Qt's own texts (the file dialog's buttons and labels, its overwrite question, Yes and No)
// in `language`: Qt's translation for it is installed in the running application, and
// removed again for English. Where the system lacks it, Qt's English texts stay.
void useQtTranslations(Language language);

} // namespace bladetrace
