// Finding the file of an installed font through fontconfig.
#pragma once

#include <string>

namespace brinecast {

// The file of the installed face that best matches a fontconfig pattern such as
// "Liberation Sans:bold"; empty when fontconfig finds nothing.
std::string FindFontFile(const std::string& pattern);

}  // namespace brinecast
