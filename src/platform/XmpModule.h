// One tracker module loaded into its own player, shared by the desktop's music and
// the headless platform's check that a file really is a module.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace brinecast {

class XmpModule {
 public:
  // The module in the file at utf8Path, or null when the file is missing,
  // unreadable or not a module the player understands.
  static std::unique_ptr<XmpModule> Load(const std::string& utf8Path);

  ~XmpModule();
  XmpModule(const XmpModule&) = delete;
  XmpModule& operator=(const XmpModule&) = delete;

  // Starts from the beginning at rate frames per second, 16-bit signed stereo.
  bool Start(int rate);
  // Fills bytes of sound; the module repeats at its end. Silence when not started.
  void Render(uint8_t* out, int bytes);
  void End();
  bool Started() const { return started_; }

 private:
  struct Context;
  explicit XmpModule(std::unique_ptr<Context> context);

  std::unique_ptr<Context> context_;
  bool started_ = false;
};

// The whole file at a UTF-8 path, or false when it cannot be read (or is a folder,
// or larger than maxBytes).
bool ReadWholeFile(const std::string& utf8Path, size_t maxBytes, std::vector<uint8_t>& out);

}  // namespace brinecast
