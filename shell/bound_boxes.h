#pragma once
// Check boxes bound to fields of a window's form model: shown from the model
// when the window loads, stored into it when the window closes, and each
// click handed to the model's own click handler (which stores the setting).
// `View` is the window: `checked(id)` and `setChecked(id, bool)`.

#include <cstdint>
#include <span>
#include <string_view>

#include "shell/settings.h"

namespace plotmate {

template <class Form>
struct BoundBox {
  int id;
  std::string_view name;  // the control's name, as scenarios name the box
  std::int16_t Form::*value;
  void (*click)(Form&, std::int16_t, Settings&);  // Clicked<&Form::chkboolX_Click>
};

// A form model's click handler as a plain function: the handler is known at
// compile time, so the call is direct.
template <auto Handler, class Form>
void Clicked(Form& form, std::int16_t value, Settings& settings) {
  (form.*Handler)(value, settings);
}

template <class Form, class View>
void ShowBoxes(View& view, const Form& form, std::span<const BoundBox<Form>> boxes) {
  for (const auto& box : boxes) view.setChecked(box.id, form.*box.value != 0);
}

template <class Form, class View>
void StoreBoxes(const View& view, Form& form, std::span<const BoundBox<Form>> boxes) {
  for (const auto& box : boxes) form.*box.value = view.checked(box.id) ? 1 : 0;
}

// The box named `name`, or none.
template <class Form>
const BoundBox<Form>* BoxNamed(std::span<const BoundBox<Form>> boxes, std::string_view name) {
  for (const auto& box : boxes)
    if (box.name == name) return &box;
  return nullptr;
}

// True when `id` is one of the boxes; its click has then gone to the model.
template <class Form, class View>
bool ClickBox(const View& view, Form& form, std::span<const BoundBox<Form>> boxes, int id,
              Settings& settings) {
  for (const auto& box : boxes) {
    if (box.id != id) continue;
    box.click(form, view.checked(id) ? 1 : 0, settings);
    return true;
  }
  return false;
}

}  // namespace plotmate
