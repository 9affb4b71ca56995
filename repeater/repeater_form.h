#pragma once
// The repeater window's state and reactions, without the window: the command
// box, the Enter mark, ten parameters (caption, text box, worksheet box, pair
// box) and AutoNext. The Win32 window only shows this state and forwards its
// events here; the batch run reads it while it proceeds.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "shell/settings.h"

namespace plotmate {

inline constexpr std::size_t kParameterCount = 10;
// What a parameter box shows once its worksheet box is ticked.
inline constexpr std::string_view kFromSheetText = "从Excel读取";
// The template whose command line is built in its own shape.
inline constexpr std::string_view kZhanDian = "ZhanDian";

class RepeaterForm {
 public:
  RepeaterForm();

  // Controls a user types into or reads. Arrays are indexed like the
  // controls: Text1[0] and Label[0] (the caption of Label1) belong to parameter 1.
  std::string Combo1 = "请选择命令";  // the command box's text
  std::vector<std::string> Combo1Items;
  std::string Text2 = "$";  // the Enter mark
  std::array<std::string, kParameterCount> Text1;
  std::array<std::string, kParameterCount> Label;
  bool Check3 = false;             // AutoNext

  // Worksheet boxes and pair boxes. A setter that changes a box's state runs
  // its click reaction, exactly as a user's click would; setting the state a
  // box already has does nothing. Indices past the last box are ignored.
  bool Check1(std::size_t index) const { return index < kParameterCount && check1_[index]; }
  bool Check2(std::size_t index) const { return index < kParameterCount && check2_[index]; }
  void setCheck1(std::size_t index, bool ticked);
  void setCheck2(std::size_t index, bool ticked);

  // Event reactions, named after the window's handlers.
  void Form_Load(const Settings& settings);
  void Form_Unload(Settings& settings) const;
  void Check1_Click(std::size_t index);
  void Check2_Click(std::size_t index);
  void Combo1_Click();
  // The command box loses the focus, also to "Draw": the template is applied
  // before the run starts.
  void Combo1_Validate();

 private:
  void applyTemplate();
  void applyZhanDian();
  void resetParameters(std::size_t first);

  std::array<bool, kParameterCount> check1_{};
  std::array<bool, kParameterCount> check2_{};
};

}  // namespace plotmate
