// The server's own pages' stylesheet and the game's logo, served under kAssetsPath.
#pragma once

#include <string_view>

#include "scores/http/StaticFiles.h"

namespace brinecast::scores {

inline constexpr std::string_view kAssetsPath = "/assets/";
inline constexpr std::string_view kStyleSheetName = "style.css";
inline constexpr std::string_view kLogoName = "logo.svg";

const StaticFiles& PageAssets();

}  // namespace brinecast::scores
