// The two questions on the panel "Qtns": "Exit?" over the main menu (leave the program)
// and "ExitGame?" over play (leave this game), answered YES or NO.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "app/screens/Screen.h"

namespace brinecast {

class QuestionScreen : public Screen {
 public:
  enum Answer : uint8_t { kYes = 1, kNo };

  static constexpr std::array<ScreenPlace, 2> kLayout{{
      {nullptr, 0, 0, Inside(320, 253, 380, 280), kYes},
      {nullptr, 0, 0, Inside(430, 253, 483, 280), kNo},
  }};
  // The line "YES / NO" and the question above it.
  static constexpr int kAnswersX = 320;
  static constexpr int kAnswersY = 243;

  // inGame: the question over play.
  QuestionScreen(ScreenHost& host, MenuState& menu, bool inGame);

  // YES selected and the panel shown; the window's state is this question.
  void Open();

  void Sideways(bool right) override;
  int AnswerKey(int key) const override;
  bool Escape() override;
  void Enter() override;
  void Move(int x, int y) override;
  void Click() override;
  void Draw(TCanvas& canvas) override;

 private:
  void AnswerSelected();
  void AnswerNo();

  bool inGame_;
  GameState state_;
};

}  // namespace brinecast
