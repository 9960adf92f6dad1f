// GameFolders: the data's place, and the player's folder linked to it.
#include "storage/GameFolders.h"

#include <unistd.h>

#include <system_error>

namespace fs = std::filesystem;

namespace brinecast {

namespace {

bool HoldsData(const fs::path& folder) {
  std::error_code error;
  return fs::is_directory(folder / "Data", error);
}

std::string WithSeparator(const fs::path& folder) {
  std::string text = folder.string();
  if (text.empty() || text.back() != '/') text += '/';
  return text;
}

}  // namespace

DataPlace FindData(const std::optional<fs::path>& given, const fs::path& programFolder,
                   const std::string& installed) {
  if (given) {
    std::error_code error;
    const fs::path data = fs::absolute(*given, error).lexically_normal();
    if (!HoldsData(data)) throw StartFailure("no Data folder in " + given->string());
    return {data, false};
  }
  if (HoldsData(programFolder)) return {programFolder, true};
  const fs::path place = (programFolder / installed).lexically_normal();
  if (!HoldsData(place))
    throw StartFailure("cannot find the game's data: no Data folder in " + programFolder.string() +
                       " or in " + place.string());
  return {place, false};
}

void LinkDataFolder(const fs::path& playerFolder, const fs::path& dataFolder, const char* name) {
  const fs::path link = playerFolder / name;
  const fs::path target = dataFolder / name;
  std::error_code error;
  const fs::file_status status = fs::symlink_status(link, error);
  if (fs::is_symlink(status)) {
    if (fs::read_symlink(link, error) == target) return;
  } else if (fs::exists(status)) {
    throw StartFailure(link.string() + " is in the way of the game's data: move it elsewhere");
  }
  // Made beside and renamed over, so a link is never missing while another copy starts.
  const fs::path fresh = playerFolder / ("." + std::string(name) + "." + std::to_string(getpid()));
  fs::remove(fresh, error);
  std::error_code failure;
  fs::create_directory_symlink(target, fresh, failure);
  if (!failure) fs::rename(fresh, link, failure);
  if (failure) {
    fs::remove(fresh, error);
    throw StartFailure("cannot link " + link.string() + " to " + target.string() + ": " +
                       failure.message());
  }
}

GameFolders PrepareFolders(const DataPlace& data, const fs::path& playerFolder,
                           const std::string& why) {
  // No player folder (it could not be made): no fallback, rather than the root folder.
  if (data.beside) {
    return {WithSeparator(data.folder), playerFolder.empty() ? "" : WithSeparator(playerFolder)};
  }
  if (playerFolder.empty())
    throw StartFailure("cannot make the folder for your options and scores: " + why);
  LinkDataFolder(playerFolder, data.folder, "Data");
  LinkDataFolder(playerFolder, data.folder, "Sound");
  return {WithSeparator(playerFolder), {}};
}

}  // namespace brinecast
