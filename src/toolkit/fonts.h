#pragma once

#include <QFont>

namespace toolkit {

// A Song-style font: serif Latin letters for the English words and digits,
// a Song/Ming CJK face for Chinese text.
QFont songFont(qreal pointSize, bool bold);

} // namespace toolkit
