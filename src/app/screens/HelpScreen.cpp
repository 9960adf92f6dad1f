// The help's pages and clicks.
#include "app/screens/HelpScreen.h"

#include "app/screens/ScreenHost.h"
#include "objects/GameStates.h"
#include "objects/Hlp.h"

namespace brinecast {

HelpScreen::HelpScreen(ScreenHost& host, MenuState& menu)
    : TwoRowScreen(host, menu, kPanel, GameState::Help) {}

HelpScreen::~HelpScreen() = default;

const THlp* HelpScreen::PageSprite() const {
  return hlp_.Get();
}

// The help always opens on page 1.
void HelpScreen::Opened() {
  page_ = 1;
  hlp_ = new THlp(&host_.SpriteRoot(), page_);
}

void HelpScreen::Leave() {
  TwoRowScreen::Leave();
  hlp_.Kill();
}

void HelpScreen::TurnPage(int by) {
  page_ = static_cast<uint8_t>(page_ + by);
  hlp_.Kill();
  hlp_ = new THlp(&host_.SpriteRoot(), page_);
}

void HelpScreen::Click() {
  if (menu_.cursor == kItemPrevious && page_ > 1) {
    TurnPage(-1);
  } else if (menu_.cursor == kItemNext && page_ < kPages) {
    TurnPage(1);
  } else if (menu_.cursor == kItemBack) {
    host_.BuildMainMenu();
  }
}

}  // namespace brinecast
