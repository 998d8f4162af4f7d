// The text of the Help window, exactly as shown: 18 lines, each ended by CR LF.
#pragma once

#include <string>

namespace horaloom {

const std::string& helpText();

} // namespace horaloom
