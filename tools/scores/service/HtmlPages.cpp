// Plain HTML; the look is the stylesheet's, served beside the pages (their policy allows no
// style written in them).
#include "scores/service/HtmlPages.h"

#include <ctime>

#include "protocol/Requests.h"
#include "scores/service/PageAssets.h"

namespace brinecast::scores {

namespace {

std::string Asset(std::string_view name) {
  return std::string(kAssetsPath) + std::string(name);
}

// The top bar of both pages: the logo and name lead home.
std::string Head(std::string_view title, const GameOffer& game) {
  std::string page =
      "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"><title>";
  page += title;
  page += "</title><link rel=\"stylesheet\" href=\"" + Asset(kStyleSheetName) +
          "\"><link rel=\"icon\" href=\"" + Asset(kLogoName) +
          "\"></head><body>\n<header class=\"top\"><a class=\"brand\" href=\"" +
          HtmlEscape(protocol::PortalTarget()) + "\"><img src=\"" + Asset(kLogoName) +
          "\" alt=\"\" width=\"48\" height=\"48\">Brinecast</a><nav>";
  if (game.served) page += "<a href=\"" + std::string(kPlayPath) + "\">Play</a> &middot; ";
  page += "<a href=\"" + HtmlEscape(protocol::WorldTarget()) +
          "\">High scores</a></nav></header>\n<main>\n";
  return page;
}

constexpr std::string_view kTail = "</main></body></html>\n";

std::string Date(int64_t seconds) {
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm utc{};
  if (!gmtime_r(&t, &utc)) return "";
  char text[16];
  if (std::strftime(text, sizeof text, "%Y-%m-%d", &utc) == 0) return "";
  return text;
}

std::string Row(int rank, int64_t id, const ScoreEntry& entry, const GameOffer& game) {
  const std::string text = HtmlEscape(entry.text);
  std::string row = entry.proven ? "<tr class=\"proven\">" : "<tr>";
  row += "<td class=\"n r\">" + std::to_string(rank) + "</td><td class=\"s\">" +
         HtmlEscape(entry.name);
  // The mark is the link to the game that proves it.
  if (entry.proven) {
    row += "<a class=\"proof\" href=\"" + HtmlEscape(RecordingDownloadTarget(id)) +
           "\" download=\"" + HtmlEscape(RecordingFileName(id)) +
           "\" title=\"Proven: the server replayed this game to this score. Download its "
           "recording.\">\u2714 proven</a>";
    if (game.served) {
      row += "<a class=\"watch\" href=\"" + HtmlEscape(WatchTarget(id)) +
             "\" title=\"Watch this game played again in the browser\">\u25b6 Watch</a>";
    }
  }
  if (!text.empty()) row += "<span class=\"under\">" + text + "</span>";
  row += "</td><td class=\"n\">" + GroupDigits(entry.score) + "</td><td class=\"w\">" + text +
         "</td><td class=\"d w\">" + Date(entry.time) + "</td></tr>\n";
  return row;
}

// On a narrow screen the note moves under the name and the date is left out.
std::string Table(const std::vector<StoredScore>& scores, const GameOffer& game) {
  std::string table =
      "<table><thead><tr><th class=\"n\">#</th><th>Name</th><th class=\"n\">Score</th>"
      "<th class=\"w\">Note</th><th class=\"w\">Date</th></tr></thead><tbody>\n";
  int rank = 0;
  for (const auto& [id, entry] : scores) table += Row(++rank, id, entry, game);
  return table + "</tbody></table>\n";
}

}  // namespace

std::string GroupDigits(int64_t value) {
  const std::string digits = std::to_string(value);
  const size_t first = value < 0 ? 1 : 0;
  std::string out = digits.substr(0, first);
  for (size_t i = first; i < digits.size(); ++i) {
    // A narrow no-break space between groups of three: readable, and never wrapped.
    if (i > first && (digits.size() - i) % 3 == 0) out += "\u202f";
    out += digits[i];
  }
  return out;
}

std::string HtmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string RecordingDownloadTarget(int64_t id) {
  return std::string(kRecordingDownloadPath) + std::to_string(id);
}

std::string RecordingFileName(int64_t id) {
  return "brinecast-score-" + std::to_string(id) + ".bcrec";
}

std::string WatchTarget(int64_t id) {
  return std::string(kPlayPath) + "?replay=" + std::to_string(id);
}

std::string WorldPage(const std::vector<ScoreEntry>& best) {
  std::vector<StoredScore> proven, all;
  for (const ScoreEntry& entry : best) {
    all.push_back({0, entry});
    if (entry.proven) proven.push_back({0, entry});
  }
  return WorldPage(proven, all, false, {});
}

std::string WorldPage(const std::vector<StoredScore>& proven, const std::vector<StoredScore>& all,
                      bool provenOnly, const GameOffer& game) {
  std::string page = Head("Brinecast world high scores", game);
  page += "<h1>Brinecast world high scores</h1>\n<p class=\"lead\">The best " +
          std::to_string(kWorldTableRows) +
          " catches sent from the game and proven by replaying it on this server.";
  if (!provenOnly) page += " <a href=\"#all\">Every score sent</a> follows them.";
  page += "</p>\n";
  page += proven.empty() ? "<p class=\"empty\">No proven scores yet.</p>\n" : Table(proven, game);
  if (!provenOnly) {
    page += "<h2 id=\"all\">Every score sent</h2>\n<p class=\"lead\">The best " +
            std::to_string(kWorldTableRows) +
            " catches sent from the game, proven or not. \u2714 marks a score proven by "
            "replaying its game.</p>\n";
    page += all.empty()
                ? "<p class=\"empty\">No scores yet. Be the first to send one from the game!</p>\n"
                : Table(all, game);
  }
  page += "<p><a href=\"" + HtmlEscape(protocol::PortalTarget()) + "\">Home</a></p>\n";
  page += kTail;
  return page;
}

std::string HomePage(const GameOffer& game) {
  std::string page = Head("Brinecast: play and world high scores", game);
  page +=
      "<section class=\"hero\">\n<h1>Brinecast</h1>\n"
      "<p class=\"lead\">Cast a line, land the fish, beat the clock.</p>\n";
  if (game.served) {
    page += "<a class=\"play\" href=\"" + std::string(kPlayPath) + "\">Play now</a>\n";
    if (game.preview) {
      page += "<a href=\"" + std::string(kPlayPath) + "\"><img class=\"shot\" src=\"" +
              std::string(kPlayPath) + std::string(kPreviewName) +
              "\" width=\"800\" height=\"600\" alt=\"A level of Brinecast: the boat on the "
              "sea, its line down among the fish\"></a>\n";
    }
    page +=
        "<p class=\"keys\"><kbd>\u2190</kbd> <kbd>\u2192</kbd> steer &middot; hold "
        "<kbd>\u2193</kbd> or <kbd>Space</kbd> to lower the line &middot; <kbd>P</kbd> pause "
        "&middot; <kbd>Esc</kbd> leave</p>\n";
  } else {
    page +=
        "<p class=\"absent\">The game cannot be played in the browser from this server: its "
        "web game is not installed here.</p>\n";
  }
  page += "</section>\n";
  page +=
      "<p>This server keeps the world's best Brinecast scores. Tick the box when you enter your "
      "name after a high score, and your catch is sent here; the server replays your game to "
      "prove it.</p>\n<p><a class=\"button\" href=\"";
  page += HtmlEscape(protocol::WorldTarget());
  page += "\">World high scores</a></p>\n";
  page += kTail;
  return page;
}

}  // namespace brinecast::scores
