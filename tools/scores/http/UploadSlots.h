// The places for request bodies being received at once, shared fairly: one client (an IPv4
// address or an IPv6 /64) holds at most a few, so slow uploads from one address cannot keep
// another's proof out.
#pragma once

#include <map>
#include <mutex>
#include <string>

namespace brinecast::scores {

class UploadSlots {
 public:
  UploadSlots(int total, int perClient) : total_(total), perClient_(perClient) {}

  enum class Taken { kYes, kServerFull, kClientFull };
  Taken Take(const std::string& key);
  void Give(const std::string& key);

 private:
  const int total_;
  const int perClient_;
  std::mutex mutex_;
  int held_ = 0;
  std::map<std::string, int> byClient_;
};

}  // namespace brinecast::scores
