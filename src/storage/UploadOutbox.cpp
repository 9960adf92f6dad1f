// The waiting uploads' folder: numbered files, an index of them in memory, caps and pruning.
#include "storage/UploadOutbox.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "storage/AtomicWrite.h"
#include "storage/RecordingShelf.h"

namespace brinecast {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPrefix = "upload-";
constexpr std::string_view kExtension = ".bcupload";
constexpr std::string_view kTemporary = ".tmp";
constexpr size_t kDigits = 10;  // zero-padded, so the names sort as the numbers do

std::string NameFor(uint64_t number) {
  std::string digits = std::to_string(number);
  if (digits.size() < kDigits) digits.insert(0, kDigits - digits.size(), '0');
  return std::string(kPrefix) + digits + std::string(kExtension);
}

// The number in a name NameFor gives, else nothing.
std::optional<uint64_t> NumberOf(std::string_view name) {
  if (name.size() != kPrefix.size() + kDigits + kExtension.size() ||
      name.substr(0, kPrefix.size()) != kPrefix ||
      name.substr(kPrefix.size() + kDigits) != kExtension) {
    return std::nullopt;
  }
  const std::string_view digits = name.substr(kPrefix.size(), kDigits);
  uint64_t number = 0;
  const auto [stop, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (error != std::errc() || stop != digits.data() + digits.size()) return std::nullopt;
  return number;
}

}  // namespace

UploadOutbox::UploadOutbox(const std::string& playerFolder)
    : folder_((fs::path(playerFolder) / kFolderName).string()) {
  Load();
}

void UploadOutbox::Load() {
  std::vector<std::pair<uint64_t, std::string>> found;
  std::error_code error;
  // Stepped with an error code: a folder that is missing or fails under us holds nothing.
  fs::directory_iterator entries(folder_, error);
  for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
    const fs::directory_entry& entry = *entries;
    std::string name = entry.path().filename().string();
    const bool temporary =
        name.size() > kTemporary.size() &&
        name.compare(name.size() - kTemporary.size(), kTemporary.size(), kTemporary) == 0;
    const std::string_view file =
        temporary ? std::string_view(name).substr(0, name.size() - kTemporary.size()) : name;
    const std::optional<uint64_t> number = NumberOf(file);
    if (!number) continue;
    // Whatever holds a name, a new upload never takes it.
    nextNumber_ = std::max(nextNumber_, *number + 1);
    std::error_code ignored;
    // Only plain files: a folder or a link under one of our names is not ours.
    if (!entry.is_regular_file(ignored) || entry.is_symlink(ignored)) continue;
    if (temporary) {
      ::unlink(entry.path().c_str());
    } else {
      found.emplace_back(*number, std::move(name));
    }
  }
  std::sort(found.begin(), found.end());
  for (auto& [number, name] : found) {
    const std::optional<std::vector<uint8_t>> bytes = RecordingShelf::Read(PathOf(name));
    const std::optional<WaitingUpload> upload =
        bytes ? DecodeUpload(*bytes) : std::optional<WaitingUpload>();
    if (!upload) {
      ::unlink(PathOf(name).c_str());
      continue;
    }
    slots_.push_back({std::move(name), upload->deadline, upload->nextTry, bytes->size()});
  }
  // What an older game kept beyond today's caps goes.
  MakeRoom(0);
}

void UploadOutbox::MakeRoom(size_t incoming) {
  const size_t room = incoming > 0 ? kMaxUploads - 1 : kMaxUploads;
  auto total = [&] {
    size_t sum = incoming;
    for (const Slot& slot : slots_) sum += slot.size;
    return sum;
  };
  while (!slots_.empty() && (slots_.size() > room || total() > kMaxBytes)) Drop(slots_.begin());
}

std::string UploadOutbox::PathOf(const std::string& name) const {
  return (fs::path(folder_) / name).string();
}

std::vector<std::string> UploadOutbox::Names() const {
  std::vector<std::string> names;
  for (const Slot& slot : slots_) names.push_back(slot.name);
  return names;
}

std::vector<UploadOutbox::Slot>::iterator UploadOutbox::Find(const std::string& name) {
  return std::find_if(slots_.begin(), slots_.end(),
                      [&](const Slot& slot) { return slot.name == name; });
}

void UploadOutbox::Drop(std::vector<Slot>::iterator slot) {
  ::unlink(PathOf(slot->name).c_str());
  slots_.erase(slot);
}

std::optional<std::string> UploadOutbox::Add(const WaitingUpload& upload) {
  const std::vector<uint8_t> bytes = EncodeUpload(upload);
  if (bytes.size() > kMaxBytes) return std::nullopt;
  MakeRoom(bytes.size());
  std::error_code error;
  fs::create_directories(folder_, error);
  const std::string name = NameFor(nextNumber_);
  if (error) throw EInOutError("Cannot write " + PathOf(name) + ": " + error.message());
  WriteFileAtomically(PathOf(name), bytes);
  ++nextNumber_;
  slots_.push_back({name, upload.deadline, upload.nextTry, bytes.size()});
  return name;
}

void UploadOutbox::Update(const std::string& name, const WaitingUpload& upload) {
  const auto slot = Find(name);
  if (slot == slots_.end()) return;
  const std::vector<uint8_t> bytes = EncodeUpload(upload);
  // Known before the write, so a disk that refuses it cannot bring the next try forward.
  *slot = {name, upload.deadline, upload.nextTry, bytes.size()};
  WriteFileAtomically(PathOf(name), bytes);
}

void UploadOutbox::Remove(const std::string& name) {
  const auto slot = Find(name);
  if (slot != slots_.end()) Drop(slot);
}

std::optional<std::pair<std::string, WaitingUpload>> UploadOutbox::NextDue(int64_t now) {
  for (size_t i = 0; i < slots_.size();) {
    const auto slot = slots_.begin() + static_cast<std::ptrdiff_t>(i);
    if (slot->deadline < now) {
      Drop(slot);
      continue;
    }
    if (slot->nextTry > now) {
      ++i;
      continue;
    }
    const std::optional<std::vector<uint8_t>> bytes = RecordingShelf::Read(PathOf(slot->name));
    std::optional<WaitingUpload> upload =
        bytes ? DecodeUpload(*bytes) : std::optional<WaitingUpload>();
    if (!upload) {
      Drop(slot);
      continue;
    }
    return std::make_pair(slot->name, std::move(*upload));
  }
  return std::nullopt;
}

}  // namespace brinecast
