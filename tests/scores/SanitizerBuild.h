// Whether this is the address sanitizer's build, whose run-time reserves far more memory than
// any limit allows and cannot live in the replayer's sandbox.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#define BRINECAST_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BRINECAST_TEST_ASAN 1
#endif
#endif
