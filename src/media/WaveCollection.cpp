// The wave list: named sounds and the rule that picks a voice for each play.
#include "media/WaveCollection.h"

#include <algorithm>
#include <cctype>

#include "platform/EqualsNoCase.h"
#include "platform/Platform.h"

namespace brinecast {

namespace {

bool SameName(std::string_view a, std::string_view b) {
  return EqualsNoCase(a, b);
}

// Waiting for a sound gives up after a minute: no effect of the game is that long.
constexpr int kWaitPollMs = 10;
constexpr int kMaxWaitPolls = 6000;

}  // namespace

void TWaveCollectionItem::Open(Platform& platform) {
  platform_ = &platform;
  sound_ = platform.SoundOpen(Name, Wave.data(), Wave.size());
  mainVoice_ = -1;
  extra_.clear();
}

void TWaveCollectionItem::Play(bool wait) {
  if (!Initialized()) return;
  if (Looped) {
    platform_->SoundStop(mainVoice_);
    mainVoice_ = platform_->SoundPlay(sound_, true);
    return;
  }
  auto chosen = std::find_if(extra_.begin(), extra_.end(),
                             [this](int voice) { return !platform_->SoundPlaying(voice); });
  int voice = -1;
  if (chosen != extra_.end()) {
    platform_->SoundStop(*chosen);
    voice = *chosen = platform_->SoundPlay(sound_, false);
  } else if (maxPlayingCount_ == 0 || std::ssize(extra_) < maxPlayingCount_) {
    voice = platform_->SoundPlay(sound_, false);
    if (voice < 0) return;  // no voice to spare: this play is lost
    extra_.push_back(voice);
  } else {
    // The least recently chosen voice starts again and becomes the most recent.
    std::rotate(extra_.begin(), extra_.begin() + 1, extra_.end());
    platform_->SoundStop(extra_.back());
    voice = extra_.back() = platform_->SoundPlay(sound_, false);
  }
  for (int poll = 0; wait && poll < kMaxWaitPolls && platform_->SoundPlaying(voice); ++poll) {
    platform_->WaitUntil(platform_->Ticks() + kWaitPollMs);
  }
}

void TWaveCollectionItem::Stop() {
  if (!Initialized()) return;
  platform_->SoundStop(mainVoice_);
  for (int voice : extra_) platform_->SoundStop(voice);
}

void TDXWaveList::Initialize(Platform& platform) {
  for (int i = 0; i < items_.Count(); ++i) items_.Items(i).Open(platform);
}

void TDXWaveList::StopAll() {
  for (int i = 0; i < items_.Count(); ++i) items_.Items(i).Stop();
}

TWaveCollectionItem& TWaveCollection::Add() {
  return items_.emplace_back();
}

TWaveCollectionItem& TWaveCollection::Items(int index) {
  if (index < 0 || index >= Count()) {
    throw EWaveCollectionError("Index of the list exceeds the range. (" + std::to_string(index) +
                               ")");
  }
  return items_[static_cast<size_t>(index)];
}

TWaveCollectionItem& TWaveCollection::Find(std::string_view name) {
  auto found = std::find_if(items_.rbegin(), items_.rend(), [&](const TWaveCollectionItem& item) {
    return SameName(item.Name, name);
  });
  if (found == items_.rend())
    throw EWaveCollectionError("Wave '" + std::string(name) + "' not found");
  return *found;
}

}  // namespace brinecast
