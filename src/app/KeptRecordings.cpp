// The player's recordings beside Config.cfg: the last game's, and each table row's, stamped at
// the name entry with who claims the score.
#include <cstdio>
#include <filesystem>

#include "app/TForm1.h"
#include "replay/Recording.h"
#include "storage/RecordingShelf.h"

namespace brinecast {

namespace {

// A recording that cannot be kept costs the player nothing else: the options and scores
// went on their own way, and the game goes on.
template <typename Write>
void Keep(Write write) {
  try {
    write();
  } catch (const EInOutError& error) {
    std::fprintf(stderr, "brinecast: %s\n", error.what());
  }
}

RecordingShelf ShelfBeside(const std::string& configPath) {
  return RecordingShelf(std::filesystem::path(configPath).parent_path().string());
}

}  // namespace

void TForm1::KeepLastGame() {
  std::optional<replay::Recording>* last = LastGame();
  if (!playerFiles_ || last == nullptr || !last->has_value()) return;
  const std::vector<uint8_t> bytes = replay::EncodeRecording(**last);
  Keep([&] { ShelfBeside(configFile_.Path()).SaveLast(bytes); });
}

std::optional<std::vector<uint8_t>> TForm1::ClaimLastGame(const std::string& name,
                                                          const std::string& note) {
  std::optional<replay::Recording>* last = LastGame();
  if (last == nullptr || !last->has_value()) return std::nullopt;
  (*last)->claim = {name, note};
  return replay::EncodeRecording(**last);
}

void TForm1::KeepRowRecording(int row, int64_t score) {
  if (!playerFiles_) return;
  const RecordingShelf shelf = ShelfBeside(configFile_.Path());
  std::optional<replay::Recording>* last = LastGame();
  // Only the game that made the row: a score that is not the recording's is not its game.
  if (row >= 1 && last != nullptr && last->has_value() && (*last)->end.score == score) {
    const std::optional<std::vector<uint8_t>> bytes = ClaimLastGame(PlayerName, Config.AddText);
    Keep([&] {
      shelf.SaveLast(*bytes);
      shelf.SaveRow(Config.HighScores, static_cast<size_t>(row - 1), *bytes);
    });
  }
  shelf.Prune(Config.HighScores);
}

void TForm1::ForgetRowRecordings() {
  if (playerFiles_) ShelfBeside(configFile_.Path()).PruneAll();
}

}  // namespace brinecast
