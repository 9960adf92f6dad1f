// The window's screens, each made with the menu state they share.
#include "app/screens/ScreenSet.h"

namespace brinecast {

ScreenSet::ScreenSet(ScreenHost& host)
    : mainMenu(host, menu),
      options(host, menu),
      hiScores(host, menu),
      help(host, menu),
      nameEntry(host, menu),
      exitQuestion(host, menu, false),
      exitGameQuestion(host, menu, true) {}

}  // namespace brinecast
