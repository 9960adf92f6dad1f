// Config.cfg, the window mode and the music call sites.
#include "app/TForm1.h"

namespace brinecast {

void TForm1::LoadConfig() {}

void TForm1::SaveConfig() {}

void TForm1::ApplyWindowMode() {}

void TForm1::PlayMusic(const std::string& /*file*/, const std::string& /*failureText*/) {}

}  // namespace brinecast
