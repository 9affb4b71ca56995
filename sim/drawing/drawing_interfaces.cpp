#include "sim/drawing/drawing_interfaces.h"

#include "sim/drawing/acad_application.h"
#include "sim/drawing/acad_document.h"
#include "sim/drawing/acad_entity.h"
#include "sim/drawing/acad_model_space.h"
#include "sim/drawing/acad_selection.h"
#include "sim/drawing/acad_utility.h"

namespace plotmate::sim {

std::vector<DeclaredInterface> drawingInterfaces() {
  return {
      declaredInterface("IAcadApplication", AcadApplication::members()),
      declaredInterface("IAcadDocument", AcadDocument::members()),
      declaredInterface("IAcadUtility", AcadUtility::members()),
      declaredInterface("IAcadModelSpace", AcadModelSpace::members()),
      declaredInterface("IAcadSelectionSets", AcadSelectionSets::members()),
      declaredInterface("IAcadSelectionSet", AcadSelectionSet::members()),
      declaredInterface("IAcadEntity", AcadEntity::members()),
  };
}

std::string drawingTypeLibraryIdl() {
  auto interfaces = drawingInterfaces();
  return typeLibraryIdl("PlotmateDrawingHost", interfaces);
}

}  // namespace plotmate::sim
