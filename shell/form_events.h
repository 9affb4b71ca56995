#pragma once
// A window's events as a table beside its design: the control, the
// notification it sends, and the handler that answers. A control array
// (Text1(0)..Text1(9)) is one entry over consecutive ids whose handler takes
// the element's index, as the array's handler does.
//
//   {Command3, kClicked, &MainWindow::Command3_Click},
//   {Text1, kParameterCount, kChanged, &RepeaterWindow::Text1_Change},

#include <span>

namespace plotmate {

template <class Window>
class FormEvent {
 public:
  using Handler = void (Window::*)();
  using ArrayHandler = void (Window::*)(int index);

  constexpr FormEvent(int control, int notification, Handler handler)
      : first_(control), count_(1), notification_(notification), handler_(handler) {}
  constexpr FormEvent(int first, int count, int notification, ArrayHandler handler)
      : first_(first), count_(count), notification_(notification), arrayHandler_(handler) {}

  bool matches(int control, int notification) const {
    return notification == notification_ && control >= first_ && control < first_ + count_;
  }
  void fire(Window& window, int control) const {
    if (handler_)
      (window.*handler_)();
    else
      (window.*arrayHandler_)(control - first_);
  }

 private:
  int first_, count_, notification_;
  Handler handler_ = nullptr;
  ArrayHandler arrayHandler_ = nullptr;
};

// Hands the notification to the first entry that answers it; false when none does.
template <class Window>
bool DispatchFormEvent(std::span<const FormEvent<Window>> events, Window& window, int control,
                       int notification) {
  for (const auto& event : events) {
    if (!event.matches(control, notification)) continue;
    event.fire(window, control);
    return true;
  }
  return false;
}

}  // namespace plotmate
