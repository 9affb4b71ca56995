// TEXT/DTEXT, -TEXT, CIRCLE, POINT and LINE as the host's command line runs
// them, with the prompts of its English version.

#include <cmath>
#include <numbers>
#include <vector>

#include "format/number_text.h"
#include "hosts/dispatch.h"
#include "sim/drawing/commands.h"
#include "sim/drawing/coords.h"
#include "sim/drawing/typed_input.h"

namespace plotmate::sim {

namespace {

constexpr double kDegrees = 180.0 / std::numbers::pi;
// Distance between the baselines of successive TEXT lines, in text heights.
constexpr double kTextLineSpacing = 5.0 / 3.0;

Vec3 rotatePlanar(double x, double y, double degrees) {
  double a = degrees / kDegrees;
  return {x * std::cos(a) - y * std::sin(a), x * std::sin(a) + y * std::cos(a), 0};
}

double planDistance(Vec3 a, Vec3 b) { return std::hypot(b.x - a.x, b.y - a.y); }

// A positive length typed as a number, or as a point whose distance from
// `from` gives it. Writes the host's complaint and returns nothing otherwise.
std::optional<double> typedLength(std::string_view text, Vec3 from, const CommandContext& context) {
  std::optional<double> value = parseTypedNumber(text);
  if (!value) {
    if (auto p = parseTypedPoint(text, context.ucs(), from)) value = planDistance(from, *p);
  }
  if (!value) {
    context.message("Requires numeric distance or second point.");
    return std::nullopt;
  }
  if (*value <= 0) {
    context.message("Value must be positive and nonzero.");
    return std::nullopt;
  }
  return value;
}

std::optional<double> typedAngle(std::string_view text, Vec3 from, const CommandContext& context) {
  if (auto value = parseTypedNumber(text)) return value;
  if (auto p = parseTypedPoint(text, context.ucs(), from))
    return std::atan2(p->y - from.y, p->x - from.x) * kDegrees;
  context.message("Requires valid numeric angle or second point.");
  return std::nullopt;
}

void notAvailable(const CommandContext& context, std::string_view option) {
  context.message("The option \"" + std::string(option) +
                  "\" is not available in the drawing stand-in.  *Cancel*");
}

class TextCommand final : public ActiveCommand {
 public:
  explicit TextCommand(bool multiLine) : multiLine_(multiLine) {}

  std::string prompt(const CommandContext& context) const override {
    switch (step_) {
      case Step::Start: return "Specify start point of text or [Justify/Style]:";
      case Step::Height:
        return "Specify height <" + unitsText(context.session().variables.real("TEXTSIZE")) + ">:";
      case Step::Rotation:
        return "Specify rotation angle of text <" +
               countingForm(context.memory().textRotationDegrees) + ">:";
      case Step::Text: return "Enter text:";
    }
    return {};
  }

  InputMode mode() const override { return step_ == Step::Text ? InputMode::Line : InputMode::Word; }

  bool answer(std::string_view text, CommandContext& context) override {
    auto& vars = context.session().variables;
    switch (step_) {
      case Step::Start: {
        if (isKeyword(text, "Justify", 1) || isKeyword(text, "Style", 1)) {
          notAvailable(context, text);
          return false;
        }
        auto p = context.requiredPoint(text);
        if (!p) return true;
        start_ = *p;
        step_ = Step::Height;
        return true;
      }
      case Step::Height: {
        if (text.empty()) {
          height_ = vars.real("TEXTSIZE");
        } else {
          auto h = typedLength(text, start_, context);
          if (!h) return true;
          height_ = *h;
          vars.assign("TEXTSIZE", Variant(height_));
        }
        step_ = Step::Rotation;
        return true;
      }
      case Step::Rotation: {
        double& rotation = context.memory().textRotationDegrees;
        if (!text.empty()) {
          auto a = typedAngle(text, start_, context);
          if (!a) return true;
          rotation = *a;
        }
        rotation_ = rotation;
        step_ = Step::Text;
        return true;
      }
      case Step::Text:
        // An empty line ends the command; so does the only line of -TEXT.
        if (text.empty()) return false;
        addLine(text, context);
        return multiLine_;
    }
    return false;
  }

 private:
  void addLine(std::string_view text, const CommandContext& context) {
    Vec3 down = rotatePlanar(0, -kTextLineSpacing * height_ * lines_, rotation_);
    Vec3 at{start_.x + down.x, start_.y + down.y, start_.z};
    Entity e;
    e.kind = EntityKind::Text;
    e.normal = ucsNormal(context.ucs());
    e.points = {worldToOcs(e.normal, toWorld(context.ucs(), at, false), false)};
    e.height = height_;
    e.rotation = ocsRotation(context.ucs(), e.normal, rotation_);
    e.text = std::string(text);
    context.add(std::move(e));
    ++lines_;
  }

  enum class Step { Start, Height, Rotation, Text };
  bool multiLine_;
  Step step_ = Step::Start;
  Vec3 start_;
  double height_ = 0;
  double rotation_ = 0;
  int lines_ = 0;
};

class CircleCommand final : public ActiveCommand {
 public:
  std::string prompt(const CommandContext& context) const override {
    auto fallback = defaultRadius(context);
    switch (step_) {
      case Step::Center: return "Specify center point for circle or [3P/2P/Ttr (tan tan radius)]:";
      case Step::Radius:
        return "Specify radius of circle or [Diameter]" +
               (fallback ? " <" + unitsText(*fallback) + ">:" : std::string(":"));
      case Step::Diameter:
        return "Specify diameter of circle" +
               (fallback ? " <" + unitsText(2 * *fallback) + ">:" : std::string(":"));
    }
    return {};
  }

  bool answer(std::string_view text, CommandContext& context) override {
    if (step_ == Step::Center) {
      if (isKeyword(text, "3P", 2) || isKeyword(text, "2P", 2) || isKeyword(text, "Ttr", 1)) {
        notAvailable(context, text);
        return false;
      }
      auto p = context.requiredPoint(text);
      if (!p) return true;
      center_ = *p;
      step_ = Step::Radius;
      return true;
    }
    if (step_ == Step::Radius && isKeyword(text, "Diameter", 1)) {
      step_ = Step::Diameter;
      return true;
    }
    std::optional<double> radius;
    if (text.empty()) {
      radius = defaultRadius(context);
      if (!radius) {
        context.message("Requires numeric distance or second point.");
        return true;
      }
    } else {
      auto length = typedLength(text, center_, context);
      if (!length) return true;
      radius = step_ == Step::Diameter ? *length / 2 : *length;
    }
    addCircle(*radius, context);
    return false;
  }

 private:
  // CIRCLERAD when set, else the radius of the previous circle.
  static std::optional<double> defaultRadius(const CommandContext& context) {
    double set = context.session().variables.real("CIRCLERAD");
    if (set > 0) return set;
    return context.memory().circleRadius;
  }

  void addCircle(double radius, const CommandContext& context) {
    Entity e;
    e.kind = EntityKind::Circle;
    e.normal = ucsNormal(context.ucs());
    e.points = {worldToOcs(e.normal, toWorld(context.ucs(), center_, false), false)};
    e.radius = radius;
    context.add(std::move(e));
    context.memory().circleRadius = radius;
  }

  enum class Step { Center, Radius, Diameter };
  Step step_ = Step::Center;
  Vec3 center_;
};

class PointCommand final : public ActiveCommand {
 public:
  std::string prompt(const CommandContext&) const override { return "Specify a point:"; }

  bool answer(std::string_view text, CommandContext& context) override {
    if (text.empty()) return false;
    auto p = context.requiredPoint(text);
    if (!p) return true;
    Entity e;
    e.kind = EntityKind::Point;
    e.normal = ucsNormal(context.ucs());
    e.points = {toWorld(context.ucs(), *p, false)};
    context.add(std::move(e));
    return false;
  }
};

class LineCommand final : public ActiveCommand {
 public:
  std::string prompt(const CommandContext&) const override {
    if (points_.empty()) return "Specify first point:";
    return points_.size() >= 3 ? "Specify next point or [Close/Undo]:"
                               : "Specify next point or [Undo]:";
  }

  bool answer(std::string_view text, CommandContext& context) override {
    if (text.empty()) return false;
    if (!points_.empty() && isKeyword(text, "Undo", 1)) {
      undoSegment(context);
      return true;
    }
    if (points_.size() >= 3 && isKeyword(text, "Close", 1)) {
      addSegment(points_.front(), context);
      return false;
    }
    auto p = context.requiredPoint(text);
    if (!p) return true;
    if (points_.empty()) points_.push_back(*p);
    else addSegment(*p, context);
    return true;
  }

 private:
  void addSegment(Vec3 to, const CommandContext& context) {
    Entity e;
    e.kind = EntityKind::Line;
    e.normal = ucsNormal(context.ucs());
    e.points = {toWorld(context.ucs(), points_.back(), false), toWorld(context.ucs(), to, false)};
    segments_.push_back(context.add(std::move(e)));
    points_.push_back(to);
  }

  void undoSegment(const CommandContext& context) {
    if (segments_.empty()) {
      points_.clear();
      return;
    }
    context.session().eraseEntity(segments_.back());
    segments_.pop_back();
    points_.pop_back();
  }

  std::vector<Vec3> points_;           // UCS
  std::vector<std::string> segments_;  // handles of the lines drawn
};

}  // namespace

Vec3 ucsNormal(const Ucs& ucs) { return ucsFrame(ucs).z; }

double ocsRotation(const Ucs& ucs, Vec3 normal, double ucsDegrees) {
  Vec3 along = toWorld(ucs, rotatePlanar(1, 0, ucsDegrees), true);
  Vec3 inOcs = worldToOcs(normal, along, true);
  return std::atan2(inOcs.y, inOcs.x);
}

bool isKeyword(std::string_view answer, std::string_view keyword, std::size_t shortest) {
  if (answer.size() < shortest || answer.size() > keyword.size()) return false;
  return equalsNoCase(answer, keyword.substr(0, answer.size()));
}

std::unique_ptr<ActiveCommand> startText(CommandContext&) {
  return std::make_unique<TextCommand>(true);
}

std::unique_ptr<ActiveCommand> startSingleText(CommandContext&) {
  return std::make_unique<TextCommand>(false);
}

std::unique_ptr<ActiveCommand> startCircle(CommandContext&) {
  return std::make_unique<CircleCommand>();
}

std::unique_ptr<ActiveCommand> startPoint(CommandContext& context) {
  const auto& vars = context.session().variables;
  context.message("Current point modes:  PDMODE=" + std::to_string(vars.integer("PDMODE")) +
                  "  PDSIZE=" + unitsText(vars.real("PDSIZE")));
  return std::make_unique<PointCommand>();
}

std::unique_ptr<ActiveCommand> startLine(CommandContext&) {
  return std::make_unique<LineCommand>();
}

}  // namespace plotmate::sim
