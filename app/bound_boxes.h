#pragma once
// Check boxes bound to fields of a window's form model: shown from the model
// when the window loads, stored into it when the window closes, and each
// click handed to the model's own click handler (which stores the setting).

#include <cstdint>
#include <span>

#include "app/form_window.h"
#include "shell/settings.h"

namespace plotmate::app {

template <class Form>
struct BoundBox {
  int id;
  std::int16_t Form::*value;
  void (Form::*click)(std::int16_t, Settings&);
};

template <class Form>
void showBoxes(FormWindow& window, const Form& form, std::span<const BoundBox<Form>> boxes) {
  for (const auto& box : boxes) window.setChecked(box.id, form.*box.value != 0);
}

template <class Form>
void storeBoxes(const FormWindow& window, Form& form, std::span<const BoundBox<Form>> boxes) {
  for (const auto& box : boxes) form.*box.value = window.checkValue(box.id);
}

// True when `id` is one of the boxes; its click has then gone to the model.
template <class Form>
bool clickBox(const FormWindow& window, Form& form, std::span<const BoundBox<Form>> boxes, int id,
              Settings& settings) {
  for (const auto& box : boxes) {
    if (box.id != id) continue;
    (form.*box.click)(window.checkValue(id), settings);
    return true;
  }
  return false;
}

}  // namespace plotmate::app
