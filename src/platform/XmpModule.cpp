// One tracker module loaded into its own libxmp player context.
#include "platform/XmpModule.h"

#include <xmp.h>

#include <cstring>
#include <filesystem>
#include <fstream>

namespace brinecast {

namespace {
// Far beyond any module of the game; a huge file is not worth reading.
constexpr size_t kMaxModuleBytes = 64u << 20;
}  // namespace

bool ReadWholeFile(const std::string& utf8Path, size_t maxBytes, std::vector<uint8_t>& out) {
  // The path is taken as UTF-8 whatever the system's narrow encoding is.
  const std::filesystem::path path(std::u8string(utf8Path.begin(), utf8Path.end()));
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  const uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > maxBytes) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out.resize(static_cast<size_t>(size));
  in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(out.size()));
  return static_cast<uintmax_t>(in.gcount()) == size;
}

struct XmpModule::Context {
  xmp_context player = nullptr;
  bool loaded = false;
  std::vector<uint8_t> bytes;

  ~Context() {
    if (loaded) xmp_release_module(player);
    if (player != nullptr) xmp_free_context(player);
  }
};

XmpModule::XmpModule(std::unique_ptr<Context> context) : context_(std::move(context)) {}

XmpModule::~XmpModule() {
  End();
}

std::unique_ptr<XmpModule> XmpModule::Load(const std::string& utf8Path) {
  auto context = std::make_unique<Context>();
  if (!ReadWholeFile(utf8Path, kMaxModuleBytes, context->bytes) || context->bytes.empty()) {
    return nullptr;
  }
  context->player = xmp_create_context();
  if (context->player == nullptr) return nullptr;
  // Only a real load tells: the quick format test accepts files that then fail.
  if (xmp_load_module_from_memory(context->player, context->bytes.data(),
                                  static_cast<long>(context->bytes.size())) != 0) {
    return nullptr;
  }
  context->loaded = true;
  return std::unique_ptr<XmpModule>(new XmpModule(std::move(context)));
}

bool XmpModule::Start(int rate) {
  End();
  started_ = xmp_start_player(context_->player, rate, 0) == 0;
  return started_;
}

void XmpModule::Render(uint8_t* out, int bytes) {
  // A loop count of 0 plays on for ever: the module repeats at its end.
  if (!started_ || xmp_play_buffer(context_->player, out, bytes, 0) != 0) {
    std::memset(out, 0, static_cast<size_t>(bytes));
  }
}

void XmpModule::End() {
  if (!started_) return;
  xmp_end_player(context_->player);
  started_ = false;
}

}  // namespace brinecast
