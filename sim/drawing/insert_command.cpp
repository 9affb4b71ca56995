// -INSERT: a block reference from a block defined in the drawing, with its
// attribute values asked for when ATTREQ is 1.

#include <vector>

#include "format/number_text.h"
#include "sim/drawing/commands.h"
#include "sim/drawing/coords.h"
#include "sim/drawing/typed_input.h"

namespace plotmate::sim {

namespace {

class InsertCommand final : public ActiveCommand {
 public:
  std::string prompt(const CommandContext&) const override {
    switch (step_) {
      case Step::Name: return "Enter block name or [?]:";
      case Step::Point: return "Specify insertion point or [Basepoint/Scale/X/Y/Z/Rotate]:";
      case Step::XScale: return "Enter X scale factor, specify opposite corner, or [Corner/XYZ] <1>:";
      case Step::YScale: return "Enter Y scale factor <use X scale factor>:";
      case Step::Rotation: return "Specify rotation angle <0>:";
      case Step::Attribute: {
        const auto& def = block_->attributes[values_.size()];
        std::string text = def.prompt.empty() ? def.tag : def.prompt;
        return text + " <" + def.defaultValue + ">:";
      }
    }
    return {};
  }

  // Attribute values may hold blanks; every other answer is a word.
  InputMode mode() const override {
    return step_ == Step::Attribute ? InputMode::Line : InputMode::Word;
  }

  bool answer(std::string_view text, CommandContext& context) override {
    switch (step_) {
      case Step::Name: return takeName(text, context);
      case Step::Point: return takePoint(text, context);
      case Step::XScale:
        if (!takeScale(text, 1.0, xScale_, context)) return true;
        step_ = Step::YScale;
        return true;
      case Step::YScale:
        if (!takeScale(text, xScale_, yScale_, context)) return true;
        step_ = Step::Rotation;
        return true;
      case Step::Rotation: {
        if (!text.empty()) {
          auto a = parseTypedNumber(text);
          if (!a) {
            context.message("Requires valid numeric angle or second point.");
            return true;
          }
          rotation_ = *a;
        }
        return startAttributes(context);
      }
      case Step::Attribute:
        values_.push_back(text.empty() ? block_->attributes[values_.size()].defaultValue
                                       : std::string(text));
        if (values_.size() < block_->attributes.size()) return true;
        addReference(context);
        return false;
    }
    return false;
  }

 private:
  bool takeName(std::string_view text, const CommandContext& context) {
    if (text == "?") {
      std::string names;
      for (const auto* b : context.session().drawing.blocks()) names += (names.empty() ? "" : ", ") + b->name;
      context.message("Defined blocks: " + (names.empty() ? std::string("none") : names));
      return true;
    }
    block_ = context.session().drawing.block(text);
    if (!block_) {
      // The host would look for a drawing file of that name; the stand-in
      // has only the blocks defined in the drawing.
      context.message("Block \"" + std::string(text) + "\" not found.  *Invalid*");
      return false;
    }
    step_ = Step::Point;
    return true;
  }

  bool takePoint(std::string_view text, const CommandContext& context) {
    auto p = context.requiredPoint(text);
    if (!p) return true;
    insertion_ = *p;
    step_ = Step::XScale;
    return true;
  }

  static bool takeScale(std::string_view text, double fallback, double& out,
                        const CommandContext& context) {
    if (text.empty()) {
      out = fallback;
      return true;
    }
    auto s = parseTypedNumber(text);
    if (!s || *s == 0) {
      context.message("Requires a nonzero number.");
      return false;
    }
    out = *s;
    return true;
  }

  bool startAttributes(const CommandContext& context) {
    const auto& vars = context.session().variables;
    if (block_->attributes.empty() || vars.integer("ATTREQ") == 0) {
      for (const auto& def : block_->attributes) values_.push_back(def.defaultValue);
      addReference(context);
      return false;
    }
    if (vars.integer("ATTDIA") != 0) {
      // The host would open its attribute dialog; without a screen the
      // stand-in takes the defaults, as a drafter pressing OK at once would.
      context.message("Attribute dialog not shown: default values used.");
      for (const auto& def : block_->attributes) values_.push_back(def.defaultValue);
      addReference(context);
      return false;
    }
    context.message("Enter attribute values");
    step_ = Step::Attribute;
    return true;
  }

  void addReference(const CommandContext& context) {
    Entity e;
    e.kind = EntityKind::BlockRef;
    e.normal = ucsNormal(context.ucs());
    e.points = {toWorld(context.ucs(), insertion_, false)};
    e.blockName = block_->name;
    e.scale = {xScale_, yScale_, xScale_};
    e.rotation = ocsRotation(context.ucs(), e.normal, rotation_);
    for (std::size_t i = 0; i < block_->attributes.size(); ++i)
      e.attributes.push_back({block_->attributes[i].tag, values_[i]});
    context.add(std::move(e));
  }

  enum class Step { Name, Point, XScale, YScale, Rotation, Attribute };
  Step step_ = Step::Name;
  const BlockDefinition* block_ = nullptr;
  Vec3 insertion_;
  double xScale_ = 1, yScale_ = 1, rotation_ = 0;
  std::vector<std::string> values_;
};

}  // namespace

std::unique_ptr<ActiveCommand> startInsert(CommandContext&) {
  return std::make_unique<InsertCommand>();
}

}  // namespace plotmate::sim
