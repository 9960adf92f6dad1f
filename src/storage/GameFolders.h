// Where the game finds its data and keeps the player's files: the data beside the program,
// named on the command line or installed, and the player's folder with links to that data.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

namespace brinecast {

struct GameFolders {
  std::string appDir;   // holds Data/ and Sound/, and Config.cfg when writable; ends with '/'
  std::string prefDir;  // Config.cfg when appDir cannot be written; empty for none
};

// A failure that ends the program before the game starts; its text is for the player.
struct StartFailure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Where the game's data is, and whether the game plays beside it.
struct DataPlace {
  std::filesystem::path folder;
  bool beside = false;  // the build's folder: the program with Data/ next to it
};

// The data named on the command line, else beside the program, else installed at
// `installed` (relative to the program's folder). Throws StartFailure naming the places tried.
DataPlace FindData(const std::optional<std::filesystem::path>& given,
                   const std::filesystem::path& programFolder, const std::string& installed);

// A game beside its data keeps its files there; an installed game, or one told where its
// data is, plays from the player's folder with links to the data, so nothing is ever written
// into the install. playerFolder is empty when it could not be made (why says so).
GameFolders PrepareFolders(const DataPlace& data, const std::filesystem::path& playerFolder,
                           const std::string& why);

// Points playerFolder/name at dataFolder/name, replacing only a link the game made before.
void LinkDataFolder(const std::filesystem::path& playerFolder,
                    const std::filesystem::path& dataFolder, const char* name);

}  // namespace brinecast
