// The server's log on standard error, which the journal collects: one line per request and
// one per error, each a single write so lines from many threads never mix.
#pragma once

#include <string>
#include <string_view>

namespace brinecast::scores {

// The target as logged: the submission's payload and a recording's token left out, odd bytes
// escaped, long ones cut.
std::string LoggedTarget(std::string_view target);

// "2026-12-10T18:30:00.123Z 192.0.2.1 GET /path?x 200 1.2ms", and for a refusal its cause
// in quotes after that: ... 429 0.1ms "Too many requests, try again in a minute"
std::string RequestLine(std::string_view client, std::string_view method, std::string_view target,
                        std::string_view status, double milliseconds, std::string_view cause = {});

void LogLine(const std::string& line);
void LogError(const std::string& what);
// A line about the server itself, such as its stop.
void LogNote(const std::string& what);

}  // namespace brinecast::scores
