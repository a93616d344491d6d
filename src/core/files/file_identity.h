#pragma once

#include <QString>

namespace bladetrace {

// Whether two paths lead to one existing file, however they are spelt: through links, hard
// links, other folders or another case where the file system ignores it. False when either
// does not exist; opening it reports that.
bool sameExistingFile(const QString& first, const QString& second);

} // namespace bladetrace
