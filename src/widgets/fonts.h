// The faces the window was designed with, and the nearest faces a Linux desktop has.
#pragma once

#include <QFont>

namespace horaloom {

// Registers the substitutions once; the designed family names stay in the fonts, so a
// desktop that has them uses them.
void registerFontSubstitutions();

// A face as designed, with the substitutions in place.
QFont designedFont(const QString& family, double points, bool bold);

QFont defaultFont(); // captions that name no face: 8 point
QFont digitFont();   // the digit boxes: 24 point
QFont colonFont();   // the colons between them: 19.5 point bold

} // namespace horaloom
