// Running the archive tool from a test: a fresh folder per test, the tool's exit code and
// both of its outputs, and a few pictures to pack.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/DxgArchive.h"
#include "support/ScratchFolder.h"

namespace brinecast {

namespace fs = std::filesystem;

struct ToolRun {
  int exit = -1;
  std::string out;
  std::string err;
};

inline std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class DxgToolTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(fs::exists(kTool)) << "build brinecast-dxg first"; }

  ToolRun Tool(const std::string& args) {
    const std::string command = "'" + kTool + "' " + args + " >'" + (dir_ / ".stdout").string() +
                                "' 2>'" + (dir_ / ".stderr").string() + "'";
    ToolRun run;
    const int status = std::system(command.c_str());
    run.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = Slurp(dir_ / ".stdout");
    run.err = Slurp(dir_ / ".stderr");
    return run;
  }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  const std::string kTool = BRINECAST_BINARY_DIR "/tools/dxg/brinecast-dxg";
  testing::ScratchFolder folder_{"brinecast-dxg-tool"};
  const fs::path dir_ = folder_.Path();
};

inline Picture Filled(int w, int h, uint32_t colour) {
  Picture pic;
  pic.width = w;
  pic.height = h;
  pic.bitCount = 24;
  pic.pixels.assign(static_cast<size_t>(w) * static_cast<size_t>(h), colour);
  return pic;
}

}  // namespace brinecast
