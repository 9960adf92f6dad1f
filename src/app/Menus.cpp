// The menu screens: built, torn down, and their shared little steps.
#include "app/TForm1.h"

namespace brinecast {

void TForm1::BuildMainMenu() {}

void TForm1::BuildOptions() {}

void TForm1::BuildHiScores() {}

void TForm1::BuildHelp() {}

void TForm1::AskExit() {}

void TForm1::AnswerExitNo() {}

void TForm1::ResumeGame() {}

void TForm1::ShowButton(int /*n*/, bool /*shown*/) {}

void TForm1::ClearHoverFlags() {}

}  // namespace brinecast
