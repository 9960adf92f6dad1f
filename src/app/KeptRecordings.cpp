// The player's recordings beside Config.cfg: the last game's, and each table row's, stamped at
// the name entry with who claims the score.
#include <cstdio>
#include <exception>
#include <filesystem>

#include "app/TForm1.h"
#include "replay/Recording.h"
#include "storage/RecordingShelf.h"

namespace brinecast {

namespace {

// A recording that cannot be made or kept costs the player nothing else: the options and
// scores went their own way, and the game goes on. True when the step went through.
template <typename Step>
bool Keep(Step step) {
  try {
    step();
    return true;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "brinecast: %s\n", error.what());
    return false;
  }
}

RecordingShelf ShelfBeside(const std::string& configPath) {
  return RecordingShelf(std::filesystem::path(configPath).parent_path().string());
}

}  // namespace

void TForm1::KeepLastGame() {
  std::optional<replay::Recording>* last = LastGame();
  if (!playerFiles_ || last == nullptr || !last->has_value()) return;
  Keep([&] { ShelfBeside(configFile_.Path()).SaveLast(replay::EncodeRecording(**last)); });
}

std::optional<std::vector<uint8_t>> TForm1::ClaimLastGame(const std::string& name,
                                                          const std::string& note) {
  std::optional<replay::Recording>* last = LastGame();
  if (last == nullptr || !last->has_value()) return std::nullopt;
  (*last)->claim = {name, note};
  std::vector<uint8_t> bytes;
  if (!Keep([&] { bytes = replay::EncodeRecording(**last); })) return std::nullopt;
  return bytes;
}

void TForm1::KeepRowRecording(int row, int64_t score) {
  if (!playerFiles_) return;
  const RecordingShelf shelf = ShelfBeside(configFile_.Path());
  std::optional<replay::Recording>* last = LastGame();
  // Only the game that made the row: a score that is not the recording's is not its game.
  if (row >= 1 && last != nullptr && last->has_value() && (*last)->end.score == score) {
    const std::optional<std::vector<uint8_t>> bytes = ClaimLastGame(PlayerName(), Config.AddText);
    // Each on its own: one file that cannot be written does not keep the other from being.
    if (bytes) {
      Keep([&] { shelf.SaveRow(Config.HighScores, static_cast<size_t>(row - 1), *bytes); });
      Keep([&] { shelf.SaveLast(*bytes); });
    }
  }
  Keep([&] { shelf.Prune(Config.HighScores); });
}

void TForm1::ForgetRowRecordings() {
  if (playerFiles_) Keep([&] { ShelfBeside(configFile_.Path()).PruneAll(); });
}

}  // namespace brinecast
