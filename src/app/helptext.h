// The text of the Help window, exactly as shown: 18 lines, each ended by CR LF.
#pragma once

#include <QString>

namespace horaloom {

QString helpText();

} // namespace horaloom
