// Config.cfg on disk: where it lives, damaged files kept aside, and safe replacement.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "TempFolder.h"
#include "storage/ConfigFile.h"
#include "storage/HighScores.h"

namespace brinecast {
namespace {

namespace fs = std::filesystem;

TConfig PlayersConfig() {
  TConfig config;
  SetDefaults(config);
  config.Windowed = true;
  config.AddText = "Hi";
  InsertHighScore(config, "Ann", 12345);
  return config;
}

std::vector<uint8_t> RecordOf(const TConfig& config) {
  const auto bytes = WriteRecord(config);
  return {bytes.begin(), bytes.end()};
}

// The message of the error a save raises, or "saved" when it raises none.
std::string SaveError(TConfigFile& file, const TConfig& config) {
  try {
    file.Save(config);
  } catch (const EInOutError& e) {
    return e.what();
  }
  return "saved";
}

TEST(ConfigFile, SavedRecordLoadsBackWholeAndLeavesNoTemporaryFile) {
  TempFolder app;
  TConfigFile file(app.Dir(), "");
  const TConfig config = PlayersConfig();
  file.Save(config);
  EXPECT_EQ(ReadBytes(app / "Config.cfg"), RecordOf(config));
  EXPECT_FALSE(fs::exists(app / "Config.cfg.tmp"));
  TConfig loaded;
  ASSERT_TRUE(file.Load(loaded));
  EXPECT_EQ(loaded.HighScores, config.HighScores);
  EXPECT_EQ(loaded.AddText, "Hi");
  EXPECT_TRUE(loaded.Windowed);
}

TEST(ConfigFile, MissingFileLoadsNothingAndCreatesNothing) {
  TempFolder app;
  TConfigFile file(app.Dir(), "");
  TConfig config = PlayersConfig();
  const TConfig before = config;
  EXPECT_FALSE(file.Load(config));
  EXPECT_EQ(config, before);
  EXPECT_TRUE(fs::is_empty(app / ""));
}

TEST(ConfigFile, ShortFileIsKeptAsideBeforeTheDefaultsReplaceIt) {
  TempFolder app;
  TConfigFile file(app.Dir(), "");
  std::vector<uint8_t> shortRecord = RecordOf(PlayersConfig());
  shortRecord.resize(219);
  WriteBytes(app / "Config.cfg", shortRecord);
  TConfig config;
  EXPECT_FALSE(file.Load(config));
  EXPECT_FALSE(fs::exists(app / "Config.cfg"));
  EXPECT_EQ(ReadBytes(app / "Config.cfg.bad"), shortRecord);
  SetDefaults(config);
  file.Save(config);
  EXPECT_EQ(ReadBytes(app / "Config.cfg").size(), TConfig::kRecordSize);
  EXPECT_EQ(ReadBytes(app / "Config.cfg.bad"), shortRecord);
}

TEST(ConfigFile, ASecondDamagedFileDoesNotReplaceTheFirstKeptOne) {
  TempFolder app;
  TConfigFile file(app.Dir(), "");
  WriteBytes(app / "Config.cfg", {1, 2, 3});
  TConfig config;
  EXPECT_FALSE(file.Load(config));
  WriteBytes(app / "Config.cfg", {});
  EXPECT_FALSE(file.Load(config));
  EXPECT_EQ(ReadBytes(app / "Config.cfg.bad"), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_TRUE(fs::exists(app / "Config.cfg.bad2"));
  EXPECT_EQ(fs::file_size(app / "Config.cfg.bad2"), 0u);
}

TEST(ConfigFile, LongerFileLoadsItsFirstRecordAndStaysAsItIs) {
  TempFolder app;
  TConfigFile file(app.Dir(), "");
  std::vector<uint8_t> bytes = RecordOf(PlayersConfig());
  bytes.resize(300, 0xEE);
  WriteBytes(app / "Config.cfg", bytes);
  TConfig config;
  ASSERT_TRUE(file.Load(config));
  EXPECT_EQ(config.HighScores, PlayersConfig().HighScores);
  EXPECT_EQ(ReadBytes(app / "Config.cfg"), bytes);
}

TEST(ConfigFile, AFolderNamedConfigCfgIsNeitherReadNorMovedAndSavingReportsIt) {
  TempFolder app;
  fs::create_directory(app / "Config.cfg");
  WriteBytes(app / "Config.cfg/inside", {7});
  TConfigFile file(app.Dir(), "");
  TConfig config;
  EXPECT_FALSE(file.Load(config));
  EXPECT_FALSE(fs::exists(app / "Config.cfg.bad"));
  SetDefaults(config);
  EXPECT_EQ(SaveError(file, config), "Cannot write " + app.Dir() + "Config.cfg: Is a directory");
  EXPECT_TRUE(fs::is_directory(app / "Config.cfg"));
  EXPECT_EQ(ReadBytes(app / "Config.cfg/inside"), (std::vector<uint8_t>{7}));
  EXPECT_FALSE(fs::exists(fs::symlink_status(app / "Config.cfg.tmp")));
}

TEST(ConfigFile, WhateverHoldsTheTemporaryNameIsReplacedNotWrittenThrough) {
  struct Planted {
    const char* what;
    std::function<void(const std::string& temp, const std::string& victim)> plant;
  };
  const Planted cases[] = {
      {"a link to another file",
       [](const std::string& temp, const std::string& victim) {
         fs::create_symlink(victim, temp);
       }},
      {"a hard link to another file",
       [](const std::string& temp, const std::string& victim) {
         fs::create_hard_link(victim, temp);
       }},
      {"a link to where no file is yet",
       [](const std::string& temp, const std::string& victim) {
         fs::create_symlink(victim + ".new", temp);
       }},
      {"a stale temporary file",
       [](const std::string& temp, const std::string&) {
         WriteBytes(temp, {1, 2, 3});
       }},
  };
  for (const Planted& c : cases) {
    TempFolder app;
    TempFolder elsewhere;
    const std::string victim = elsewhere / "victim";
    const std::vector<uint8_t> precious{'k', 'e', 'e', 'p'};
    WriteBytes(victim, precious);
    c.plant(app / "Config.cfg.tmp", victim);
    TConfigFile file(app.Dir(), "");
    const TConfig config = PlayersConfig();
    EXPECT_EQ(SaveError(file, config), "saved") << c.what;
    EXPECT_EQ(ReadBytes(victim), precious) << c.what;
    EXPECT_FALSE(fs::exists(elsewhere / "victim.new")) << c.what;
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(app / "Config.cfg"))) << c.what;
    EXPECT_EQ(ReadBytes(app / "Config.cfg"), RecordOf(config)) << c.what;
    EXPECT_FALSE(fs::exists(fs::symlink_status(app / "Config.cfg.tmp"))) << c.what;
  }
}

TEST(ConfigFile, AFolderHoldingTheTemporaryNameIsNamedAndKeptWithTheOldFile) {
  TempFolder app;
  TConfigFile file(app.Dir(), "");
  const TConfig old = PlayersConfig();
  file.Save(old);
  fs::create_directory(app / "Config.cfg.tmp");
  WriteBytes(app / "Config.cfg.tmp/inside", {7});
  TConfig changed = old;
  ResetHighScores(changed);
  EXPECT_EQ(SaveError(file, changed),
            "Cannot write " + app.Dir() + "Config.cfg.tmp: Is a directory");
  EXPECT_EQ(ReadBytes(app / "Config.cfg"), RecordOf(old));
  EXPECT_EQ(ReadBytes(app / "Config.cfg.tmp/inside"), (std::vector<uint8_t>{7}));
}

// Runs body in a child process, which must end with status 0.
template <class Body>
void ExpectInChild(Body body) {
  EXPECT_EXIT(std::_Exit(body()), ::testing::ExitedWithCode(0), "");
}

TEST(ConfigFileLimitDeathTest, AWriteFailingHalfWayLeavesTheOldFileAsItWas) {
  TempFolder app;
  TConfigFile file(app.Dir(), "");
  const TConfig old = PlayersConfig();
  file.Save(old);
  ExpectInChild([&] {
    // Files may grow to 100 bytes only: the new record's write stops half-way.
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{100, 100};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 90;
    TConfig changed = old;
    ResetHighScores(changed);
    const std::string error = SaveError(file, changed);
    if (error != "Cannot write " + app.Dir() + "Config.cfg: File too large") {
      std::fprintf(stderr, "message: %s\n", error.c_str());
      return 1;
    }
    return 0;
  });
  EXPECT_EQ(ReadBytes(app / "Config.cfg"), RecordOf(old));
  EXPECT_FALSE(fs::exists(fs::symlink_status(app / "Config.cfg.tmp")));
}

TEST(ConfigFile, APipeInTheFilesPlaceDoesNotHangTheLoad) {
  TempFolder app;
  ASSERT_EQ(::mkfifo((app / "Config.cfg").c_str(), 0644), 0);
  TConfigFile file(app.Dir(), "");
  TConfig config;
  EXPECT_FALSE(file.Load(config));
  EXPECT_TRUE(fs::is_fifo(app / "Config.cfg"));
}

TEST(ConfigFile, AGameFolderThatCannotBeWrittenSendsTheFileToThePlayersFolder) {
  TempFolder base;
  WriteBytes(base / "plain", {});
  const std::string app = base / "plain/game/";  // below a plain file: never writable
  const std::string pref = base / "home/.local/share/brinecast/";
  TConfigFile file(app, pref);
  EXPECT_EQ(file.Path(), pref + "Config.cfg");
  TConfig config;
  EXPECT_FALSE(file.Load(config));
  config = PlayersConfig();
  file.Save(config);
  EXPECT_EQ(ReadBytes(pref + "Config.cfg"), RecordOf(config));
  TConfig loaded;
  ASSERT_TRUE(TConfigFile(app, pref).Load(loaded));
  EXPECT_EQ(loaded.HighScores, config.HighScores);
}

TEST(ConfigFile, AWritableGameFolderKeepsTheFileEvenWithAPlayersFolder) {
  TempFolder app;
  TempFolder pref;
  EXPECT_EQ(TConfigFile(app.Dir(), pref.Dir()).Path(), app.Dir() + "Config.cfg");
  EXPECT_EQ(TConfigFile(app.Dir(), "").Path(), app.Dir() + "Config.cfg");
}

TEST(ConfigFile, APlayersFolderBelowAPlainFileReportsTheError) {
  TempFolder base;
  WriteBytes(base / "plain", {});
  TConfigFile file(base / "plain/game/", base / "plain/data/");
  TConfig config = PlayersConfig();
  EXPECT_EQ(SaveError(file, config),
            "Cannot write " + base / "plain/data/Config.cfg" + ": Not a directory");
  EXPECT_EQ(fs::file_size(base / "plain"), 0u);
}

// Runs body as an unprivileged user (root ignores permissions) in a child process.
template <class Body>
void ExpectUnprivileged(Body body) {
  EXPECT_EXIT(
      {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) std::_Exit(90);
        std::_Exit(body());
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(ConfigFileUnprivilegedDeathTest, TheGameFoldersFileSeedsThePlayersOwnWhichWinsOnceSaved) {
  TempFolder app;
  TempFolder pref;
  const TConfig shipped = PlayersConfig();
  TConfigFile(app.Dir(), "").Save(shipped);
  ::chmod(app.Dir().c_str(), 0555);
  ::chmod(pref.Dir().c_str(), 0777);
  const std::string prefDir = pref / "brinecast/";
  ExpectUnprivileged([&] {
    TConfigFile file(app.Dir(), prefDir);
    if (file.Path() != prefDir + "Config.cfg") return 1;
    TConfig config;
    if (!file.Load(config) || config.HighScores != shipped.HighScores) return 2;
    InsertHighScore(config, "Bob", 99999);
    if (SaveError(file, config) != "saved") return 3;
    TConfig again;
    if (!TConfigFile(app.Dir(), prefDir).Load(again)) return 4;
    if (again.HighScores[0].Name != "Bob") return 5;
    return 0;
  });
  EXPECT_EQ(ReadBytes(app / "Config.cfg"), RecordOf(shipped));
  ::chmod(app.Dir().c_str(), 0755);
}

TEST(ConfigFileUnprivilegedDeathTest, AnUnreadableFileIsKeptAside) {
  TempFolder app;
  const std::vector<uint8_t> record = RecordOf(PlayersConfig());
  WriteBytes(app / "Config.cfg", record);
  ::chmod((app / "Config.cfg").c_str(), 0600);
  ::chmod(app.Dir().c_str(), 0777);
  ExpectUnprivileged([&] {
    TConfig config;
    if (TConfigFile(app.Dir(), "").Load(config)) return 1;
    return 0;
  });
  EXPECT_FALSE(fs::exists(app / "Config.cfg"));
  EXPECT_EQ(ReadBytes(app / "Config.cfg.bad"), record);
}

}  // namespace
}  // namespace brinecast
