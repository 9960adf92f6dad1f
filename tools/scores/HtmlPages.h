// The server's two pages for browsers: the world table and a small home page.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "scores/ScoreStore.h"

namespace brinecast::scores {

inline constexpr int kWorldTableRows = 100;

std::string HtmlEscape(std::string_view text);

// Decimal with its digits in groups of three, as the table shows scores.
std::string GroupDigits(int64_t value);

// Where a proven score's recording is downloaded: this prefix and the score's id.
inline constexpr std::string_view kRecordingDownloadPath = "/recordings/";
std::string RecordingDownloadTarget(int64_t id);
std::string RecordingFileName(int64_t id);

// Proven scores are marked and offer their recording; `provenOnly` says the table holds
// only those.
std::string WorldPage(const std::vector<StoredScore>& best, bool provenOnly);
std::string WorldPage(const std::vector<ScoreEntry>& best);
std::string HomePage();

}  // namespace brinecast::scores
