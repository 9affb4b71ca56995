#pragma once
// The three pick tools (ID, DIST, AREA) share one window shape: check boxes
// bound to fields of the tool's form model, each click stored in its setting
// at once, and one button whose run picks in the drawing until the drafter
// cancels. A tool is this table; the Win32 window kind is written once
// against it.

#include <span>
#include <string_view>

#include "hosts/acad.h"
#include "measure/area_form.h"
#include "measure/dist_form.h"
#include "measure/id_form.h"
#include "measure/measure_desktop.h"
#include "shell/bound_boxes.h"
#include "shell/main_form.h"
#include "shell/settings.h"

namespace plotmate {

// What a pick run reads and keeps beyond its own form.
struct PickDesk {
  ToolDesk tool;
  const Settings& settings;
  const MainForm& mainForm;             // DIST reads "MO", "Pref" and "Suf" as they stand
  AcadSelectionSet& distanceSelection;  // DIST's set of texts, kept between runs
};

template <class Form>
struct PickTool {
  std::span<const BoundBox<Form>> boxes;
  int button;              // the control that starts a run
  std::string_view label;  // the run's name, as the progress caption shows it
  void (*run)(const Form& form, PickDesk& desk);
};

// The windows' control ids: the tables of the Win32 windows use the same.
struct IdControls {
  enum : int { Command2 = 101, chkboolX, chkboolY, chkboolZ, chkboolText, label1 };
};
struct DistControls {
  enum : int { Command1 = 101, chkboolDI, chkboolDY, chkboolDX };
};
struct AreaControls {
  enum : int { Command6 = 101, chkboolArea, Label8 };
};

const PickTool<Idfrm>& PointPickTool();
const PickTool<Distfrm>& DistancePickTool();
const PickTool<Areafrm>& AreaPickTool();

}  // namespace plotmate
