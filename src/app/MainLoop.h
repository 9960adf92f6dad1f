// The game's message loop, with its modal message boxes and busy waits.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Platform.h"

namespace brinecast {

class LoopHost;

// The message loop: events, then due window timers, then an idle-time frame;
// it sleeps on the platform when nothing is due. Modal message boxes run it
// nested, so frames and timers go on behind them.
class MainLoop {
 public:
  MainLoop(Platform& platform, LoopHost& host) : platform_(platform), host_(host) {}

  // Runs until the host terminates or the platform asks to quit.
  void Run();
  // Hands every event already pending to its handler as Run does, and returns: no
  // timers, no frame, no wait. For callers that drive the game a step at a time.
  void RunPending();

  // Shows text in a modal box and returns once the box is closed (or the run
  // ends). Every text shown is kept in Messages().
  void ShowMessage(const std::string& text);
  // The same with a caption and an icon.
  void ShowMessage(const MessageBoxContent& box);

  // Runs the loop nested while busy() holds, as for a message box, but with
  // keys and clicks ignored: frames and timers go on. A close request meanwhile is
  // delivered once the loop is back at the top.
  void RunWhile(const std::function<bool()>& busy);

  // Runs a handler; an exception escaping it is shown in a message box and the
  // rest of the handler is skipped.
  void Guard(const std::function<void()>& handler);

  // Key releases still owed to a closed box, for a recording to carry.
  const std::vector<int>& SwallowedKeyUps() const { return swallowKeyUp_; }
  void RestoreSwallowedKeyUps(std::vector<int> keys) { swallowKeyUp_ = std::move(keys); }

  const std::vector<std::string>& Messages() const { return messages_; }
  // The text of the open message box (the innermost), if any.
  const std::optional<std::string>& OpenBox() const { return openBox_; }

 private:
  bool Ending() const;
  // One pass; with a box open, returns true once input closed it.
  bool Pass(bool boxOpen);
  // The pending events of a pass; with a box open, true once one closed it.
  bool DeliverEvents(bool boxOpen);
  // Hands a close request that came during a box or a busy wait to the game,
  // once no box is open.
  void DeliverDeferredClose();
  // Input for an open box: true when it closes the box.
  bool BoxTakes(const PlatformEvent& event);
  void FireDueTimers(uint64_t now);
  void RunFrameIfDue(uint64_t now);
  uint64_t NextDue() const;

  Platform& platform_;
  LoopHost& host_;
  std::vector<std::string> messages_;
  std::optional<MessageBoxContent> openContent_;
  std::optional<std::string> openBox_;  // openContent_'s text
  // Keys whose press closed a box: their release must not reach the game.
  std::vector<int> swallowKeyUp_;
  int nested_ = 0;
  bool busy_ = false;
  bool deferredClose_ = false;
};

}  // namespace brinecast
