// The server's two pages for browsers: the home page, which opens with the game, and the
// world table, which leads with the proven scores.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "scores/store/ScoreStore.h"

namespace brinecast::scores {

inline constexpr int kWorldTableRows = 100;

std::string HtmlEscape(std::string_view text);

// Decimal with its digits in groups of three, as the table shows scores.
std::string GroupDigits(int64_t value);

// Where a proven score's recording is downloaded: this prefix and the score's id. The browser
// game fetches the same address to watch a score, so it stays as it is.
inline constexpr std::string_view kRecordingDownloadPath = "/recordings/";
std::string RecordingDownloadTarget(int64_t id);
std::string RecordingFileName(int64_t id);

// Where the browser game is served, and how a proven score's game is watched there.
inline constexpr std::string_view kPlayPath = "/play/";
inline constexpr std::string_view kPreviewName = "preview.png";
std::string WatchTarget(int64_t id);

// What the pages may link to of the game in the browser.
struct GameOffer {
  bool served = false;   // kPlayPath answers
  bool preview = false;  // its picture of play is there
};

// The proven table first, then (unless `provenOnly`) every score sent, proven ones marked;
// a proven score offers its recording, and its game to watch when the game is served.
std::string WorldPage(const std::vector<StoredScore>& proven, const std::vector<StoredScore>& all,
                      bool provenOnly, const GameOffer& game);
// Both tables from one list, the proven ones picked out.
std::string WorldPage(const std::vector<ScoreEntry>& best);
std::string HomePage(const GameOffer& game = {});

}  // namespace brinecast::scores
