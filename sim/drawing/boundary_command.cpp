// -BOUNDARY: regions or polylines around interior points, from the closed
// outlines of the drawing, with the advanced options the tools answer.

#include <vector>

#include "sim/drawing/commands.h"
#include "sim/drawing/regions.h"

namespace plotmate::sim {

namespace {

class BoundaryCommand final : public ActiveCommand {
 public:
  std::string prompt(const CommandContext&) const override {
    switch (step_) {
      case Step::Point: return "Specify internal point or [Advanced options]:";
      case Step::Advanced: return "Enter an option [Boundary set/Island detection/Object type]:";
      case Step::ObjectType: return "Enter type of boundary object [Region/Polyline] <Polyline>:";
      case Step::Islands: return "Do you want island detection? [Yes/No] <Y>:";
      case Step::BoundarySet: return "Specify candidate set for boundary [New/Everything] <Everything>:";
    }
    return {};
  }

  bool answer(std::string_view text, CommandContext& context) override {
    switch (step_) {
      case Step::Point: return takePoint(text, context);
      case Step::Advanced: return takeOption(text, context);
      case Step::ObjectType: {
        auto& vars = context.session().variables;
        if (isKeyword(text, "Region", 1)) vars.assign("HPBOUND", Variant(std::int16_t{0}));
        else if (text.empty() || isKeyword(text, "Polyline", 1)) vars.assign("HPBOUND", Variant(std::int16_t{1}));
        else context.message("Invalid option keyword.");
        step_ = Step::Advanced;
        return true;
      }
      case Step::Islands:
        if (text.empty() || isKeyword(text, "Yes", 1)) detectIslands_ = true;
        else if (isKeyword(text, "No", 1)) detectIslands_ = false;
        else context.message("Invalid option keyword.");
        step_ = Step::Advanced;
        return true;
      case Step::BoundarySet:
        if (!text.empty() && !isKeyword(text, "Everything", 1))
          context.message("Only the whole drawing can serve as boundary set in the drawing stand-in.");
        step_ = Step::Advanced;
        return true;
    }
    return false;
  }

 private:
  bool takeOption(std::string_view text, const CommandContext& context) {
    if (text.empty()) step_ = Step::Point;
    else if (isKeyword(text, "Object", 1)) step_ = Step::ObjectType;
    else if (isKeyword(text, "Island", 1)) step_ = Step::Islands;
    else if (isKeyword(text, "Boundary", 1)) step_ = Step::BoundarySet;
    else context.message("Invalid option keyword.");
    return true;
  }

  bool takePoint(std::string_view text, const CommandContext& context) {
    if (text.empty()) {
      create(context);
      return false;
    }
    if (isKeyword(text, "Advanced", 1)) {
      step_ = Step::Advanced;
      return true;
    }
    auto p = context.requiredPoint(text);
    if (!p) return true;
    context.message("Analyzing the selected data...");
    auto found = findBoundary(context.session().drawing, p->x, p->y, detectIslands_);
    if (!found) context.message("Valid boundary not found.");
    else boundaries_.push_back(std::move(*found));
    return true;
  }

  void create(const CommandContext& context) {
    bool regions = context.session().variables.integer("HPBOUND") == 0;
    bool islandsFirst = context.session().boundaryIslandsFirst;
    std::size_t count = 0;
    auto make = [&](const Loop& loop) {
      context.add(regions ? regionFromPlanLoop(context.ucs(), loop)
                          : polylineFromPlanLoop(context.ucs(), loop));
      ++count;
    };
    for (const Boundary& b : boundaries_) {
      if (!islandsFirst) make(b.outer);
      for (const Loop& island : b.islands) make(island);
      if (islandsFirst) make(b.outer);
    }
    std::string noun = regions ? " region" : " polyline";
    context.message("BOUNDARY created " + std::to_string(count) + noun + (count == 1 ? "" : "s"));
  }

  enum class Step { Point, Advanced, ObjectType, Islands, BoundarySet };
  Step step_ = Step::Point;
  bool detectIslands_ = true;
  std::vector<Boundary> boundaries_;
};

}  // namespace

std::unique_ptr<ActiveCommand> startBoundary(CommandContext&) {
  return std::make_unique<BoundaryCommand>();
}

}  // namespace plotmate::sim
