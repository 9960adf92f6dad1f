// What each kind of page may load. The game's page needs its own scripts, its WebAssembly
// compiled, its worklet and the score requests, all from this server; the server's own pages
// need only their stylesheet and pictures.
#pragma once

#include <string_view>

namespace brinecast::scores {

inline constexpr std::string_view kGamePolicy =
    "default-src 'none'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self'; "
    "img-src 'self' data:; connect-src 'self'; media-src 'self'; worker-src 'self'; "
    "manifest-src 'self'; base-uri 'none'; form-action 'self'; frame-ancestors 'none'";

inline constexpr std::string_view kPagePolicy =
    "default-src 'none'; style-src 'self'; img-src 'self'; base-uri 'none'; form-action 'none'; "
    "frame-ancestors 'none'";

}  // namespace brinecast::scores
