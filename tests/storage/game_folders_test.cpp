// Finding the game's data and making the player's folder ready: which place wins, what is
// linked, and what is refused with a message that names the place.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "storage/GameFolders.h"
#include "storage/TempFolder.h"

namespace brinecast {
namespace {

namespace fs = std::filesystem;

void MakeData(const fs::path& folder) {
  fs::create_directories(folder / "Data");
  fs::create_directories(folder / "Sound");
}

std::string FailureOf(const auto& action) {
  try {
    action();
  } catch (const StartFailure& failure) {
    return failure.what();
  }
  return "(no failure)";
}

TEST(GameFolders, DataIsFoundWhereGivenThenBesideTheProgramThenInstalled) {
  TempFolder root;
  const fs::path program = root / "prefix/games";
  const fs::path installed = root / "prefix/share/games/brinecast";
  const fs::path given = root / "mine";
  fs::create_directories(program);
  MakeData(installed);
  MakeData(given);
  const std::string relative = "../share/games/brinecast";

  DataPlace place = FindData(given, program, relative);
  EXPECT_EQ(place.folder, given);
  EXPECT_FALSE(place.beside);

  place = FindData(std::nullopt, program, relative);
  EXPECT_EQ(place.folder, installed.lexically_normal());
  EXPECT_FALSE(place.beside);

  MakeData(program);
  place = FindData(std::nullopt, program, relative);
  EXPECT_EQ(place.folder, program);
  EXPECT_TRUE(place.beside);
}

TEST(GameFolders, MissingDataIsRefusedNamingThePlacesTried) {
  TempFolder root;
  const fs::path program = root / "games";
  fs::create_directories(program);
  EXPECT_EQ(FailureOf([&] { FindData(root / "nowhere", program, "../data"); }),
            "no Data folder in " + (root / "nowhere"));
  const std::string both = FailureOf([&] { FindData(std::nullopt, program, "../data"); });
  EXPECT_NE(both.find(program.string()), std::string::npos) << both;
  EXPECT_NE(both.find((root / "data")), std::string::npos) << both;
}

TEST(GameFolders, AGameBesideItsDataKeepsItsFilesThereWithThePlayersFolderAsFallback) {
  TempFolder root;
  MakeData(root / "game");
  const DataPlace beside{root / "game", true};
  GameFolders folders = PrepareFolders(beside, root / "player", "");
  EXPECT_EQ(folders.appDir, (root / "game") + "/");
  EXPECT_EQ(folders.prefDir, (root / "player") + "/");
  folders = PrepareFolders(beside, {}, "no home");
  EXPECT_EQ(folders.prefDir, "") << "no player folder must not fall back to the root folder";
  EXPECT_FALSE(fs::exists(fs::path(root / "player") / "Data"));
}

TEST(GameFolders, AnInstalledGamePlaysFromThePlayersFolderWithLinksToItsData) {
  TempFolder root;
  const fs::path data = root / "install";
  const fs::path player = root / "player";
  MakeData(data);
  fs::create_directories(player);
  // A link left by a copy installed elsewhere is pointed at this one.
  fs::create_directory_symlink(root / "old", player / "Sound");

  const GameFolders folders = PrepareFolders({data, false}, player, "");
  EXPECT_EQ(folders.appDir, player.string() + "/");
  EXPECT_EQ(folders.prefDir, "");
  for (const char* name : {"Data", "Sound"}) {
    EXPECT_EQ(fs::read_symlink(player / name), data / name) << name;
  }
  // Starting again changes nothing and leaves no temporary link behind.
  PrepareFolders({data, false}, player, "");
  size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(player)) ++entries;
  EXPECT_EQ(entries, 2U);
}

TEST(GameFolders, WhatCannotBeMadeReadyIsRefusedAndNothingOfThePlayersIsTouched) {
  TempFolder root;
  const fs::path data = root / "install";
  const fs::path player = root / "player";
  MakeData(data);
  EXPECT_EQ(FailureOf([&] {
              PrepareFolders({data, false}, {}, "HOME is not set");
            }),
            "cannot make the folder for your options and scores: HOME is not set");

  // A folder of the player's own where a link belongs is kept, and named.
  fs::create_directories(player / "Data" / "mine");
  const std::string inTheWay = FailureOf([&] { PrepareFolders({data, false}, player, ""); });
  EXPECT_EQ(inTheWay,
            (player / "Data").string() + " is in the way of the game's data: move it elsewhere");
  EXPECT_TRUE(fs::is_directory(player / "Data" / "mine"));
}

}  // namespace
}  // namespace brinecast
