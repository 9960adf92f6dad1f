#include "platform/sdl/FontLookup.h"

#include <fontconfig/fontconfig.h>

namespace brinecast {

std::string FindFontFile(const std::string& pattern) {
  FcPattern* wanted = FcNameParse(reinterpret_cast<const FcChar8*>(pattern.c_str()));
  if (wanted == nullptr) return {};
  FcConfigSubstitute(nullptr, wanted, FcMatchPattern);
  FcDefaultSubstitute(wanted);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, wanted, &result);
  std::string file;
  FcChar8* path = nullptr;
  if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
    file = reinterpret_cast<const char*>(path);
  }
  if (match != nullptr) FcPatternDestroy(match);
  FcPatternDestroy(wanted);
  return file;
}

}  // namespace brinecast
