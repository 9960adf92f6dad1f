// Plain HTML with a little CSS that reads on a desktop and on a phone's narrow screen.
#include "scores/HtmlPages.h"

#include <ctime>

#include "protocol/Requests.h"

namespace brinecast::scores {

namespace {

constexpr std::string_view kStyle = R"(<style>
body{margin:0;background:#0b3954;color:#0b2233;font:16px/1.4 system-ui,"Liberation Sans",Arial,sans-serif}
main{max-width:46rem;margin:0 auto;padding:1rem;background:#f4f9fb;min-height:100vh;box-sizing:border-box}
h1{margin:.2rem 0 .3rem;font-size:1.6rem;color:#0b3954}
p.lead{margin:0 0 1rem;color:#4d6b7a}
nav{font-size:.9rem;margin-bottom:.4rem}
a{color:#087e8b}
a.button{display:inline-block;margin:.5rem 0;padding:.7rem 1.2rem;border-radius:.4rem;background:#087e8b;color:#fff;font-weight:600;text-decoration:none}
table{width:100%;border-collapse:collapse}
th,td{padding:.35rem .4rem;text-align:left;vertical-align:top;overflow-wrap:anywhere}
th{background:#087e8b;color:#fff;font-weight:600}
tr:nth-child(even) td{background:#e3f0f4}
td.n,th.n{text-align:right;white-space:nowrap;font-variant-numeric:tabular-nums}
tbody tr:nth-child(1) td.r{color:#b8860b;font-weight:700}
tbody tr:nth-child(2) td.r{color:#708090;font-weight:700}
tbody tr:nth-child(3) td.r{color:#a0522d;font-weight:700}
td.s{font-weight:600}
td.d{color:#4d6b7a;white-space:nowrap}
a.proof{margin-left:.4rem;padding:0 .3rem;border-radius:.3rem;background:#d8efe0;color:#1e7b3a;font-size:.8rem;font-weight:600;text-decoration:none;white-space:nowrap}
.under{display:none;font-weight:400;font-size:.85rem;color:#4d6b7a}
.empty{padding:2rem 0;text-align:center;color:#4d6b7a}
@media (max-width:36rem){body{font-size:15px}main{padding:.6rem}h1{font-size:1.3rem}
th,td{padding:.3rem .25rem}.w{display:none}.under{display:block}}
</style>)";

std::string Head(std::string_view title) {
  std::string page =
      "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"><title>";
  page += title;
  page += "</title>";
  page += kStyle;
  page += "</head><body><main>\n";
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

std::string WorldPage(const std::vector<ScoreEntry>& best) {
  std::vector<StoredScore> stored;
  for (const ScoreEntry& entry : best) stored.push_back({0, entry});
  return WorldPage(stored, false);
}

std::string WorldPage(const std::vector<StoredScore>& best, bool provenOnly) {
  std::string page = Head("Brinecast world high scores");
  page += "<nav><a href=\"" + HtmlEscape(protocol::PortalTarget()) +
          "\">Home</a></nav>\n<h1>Brinecast world high scores</h1>\n";
  page += "<p class=\"lead\">The best " + std::to_string(kWorldTableRows) +
          (provenOnly ? " catches sent from the game and proven by replaying it.</p>\n"
                      : " catches sent from the game. \u2714 marks a score proven by replaying "
                        "its game.</p>\n");
  if (best.empty()) {
    page += provenOnly ? "<p class=\"empty\">No proven scores yet.</p>\n"
                       : "<p class=\"empty\">No scores yet. Be the first to send one from the "
                         "game!</p>\n";
  } else {
    // On a narrow screen the note moves under the name and the date is left out.
    page +=
        "<table><thead><tr><th class=\"n\">#</th><th>Name</th><th class=\"n\">Score</th>"
        "<th class=\"w\">Note</th><th class=\"w\">Date</th></tr></thead><tbody>\n";
    int rank = 0;
    for (const auto& [id, entry] : best) {
      const std::string text = HtmlEscape(entry.text);
      page += entry.proven ? "<tr class=\"proven\">" : "<tr>";
      page += "<td class=\"n r\">" + std::to_string(++rank) + "</td><td class=\"s\">" +
              HtmlEscape(entry.name);
      // The mark is the link to the game that proves it.
      if (entry.proven) {
        page += "<a class=\"proof\" href=\"" + HtmlEscape(RecordingDownloadTarget(id)) +
                "\" download=\"" + HtmlEscape(RecordingFileName(id)) +
                "\" title=\"Proven: the server replayed this game to this score. Download its "
                "recording.\">\u2714 proven</a>";
      }
      if (!text.empty()) page += "<span class=\"under\">" + text + "</span>";
      page += "</td><td class=\"n\">" + GroupDigits(entry.score) + "</td><td class=\"w\">" + text +
              "</td><td class=\"d w\">" + Date(entry.time) + "</td></tr>\n";
    }
    page += "</tbody></table>\n";
  }
  page += "<p><a href=\"" + HtmlEscape(protocol::PortalTarget()) + "\">Home</a></p>\n";
  page += kTail;
  return page;
}

std::string HomePage() {
  std::string page = Head("Brinecast scores");
  page += "<h1>Brinecast</h1>\n<p>Cast a line, land the fish, beat the clock.</p>\n";
  page +=
      "<p>This server keeps the world's best Brinecast scores. Tick the box when you enter your "
      "name after a high score, and your catch is sent here.</p>\n<p><a class=\"button\" href=\"";
  page += HtmlEscape(protocol::WorldTarget());
  page += "\">World high scores</a></p>\n";
  page += kTail;
  return page;
}

}  // namespace brinecast::scores
