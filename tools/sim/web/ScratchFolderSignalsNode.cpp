// The scratch folder's signal watch under node, which has no threads or signal masks here:
// node's own signal events remove the folder and end the process.
#include <emscripten.h>

#include "../ScratchFolder.h"

namespace brinecast::sim {

void ScratchFolder::WatchSignals() {
  // clang-format off
  EM_ASM({
    const folder = UTF8ToString($0);
    for (const name of ['SIGINT', 'SIGTERM', 'SIGHUP']) {
      process.on(name, () => {
        require('fs').rmSync(folder, {recursive: true, force: true});
        process.exit(128 + require('os').constants.signals[name]);
      });
    }
  }, path_.c_str());
  // clang-format on
}

// Nothing to stop: the handlers end with the process.
void ScratchFolder::StopWatching() {}

}  // namespace brinecast::sim
