// The game's side of a score submission: the payload and its encoding, as the protocol
// defines them.
#pragma once

#include "protocol/Encoding.h"
#include "protocol/Payload.h"

namespace brinecast {

using protocol::BuildPayload;
using protocol::EncodeSubmission;
using protocol::kSubmissionKey;

}  // namespace brinecast
