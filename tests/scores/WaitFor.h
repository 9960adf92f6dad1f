// Waiting in tests for a condition, never for a fixed time: polled until it holds or the
// deadline passes.
#pragma once

#include <chrono>
#include <thread>

namespace brinecast::testing {

// Whether `holds()` came true within `wait`.
template <typename Condition>
bool WaitFor(Condition holds, std::chrono::milliseconds wait) {
  const auto end = std::chrono::steady_clock::now() + wait;
  while (!holds()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

}  // namespace brinecast::testing
