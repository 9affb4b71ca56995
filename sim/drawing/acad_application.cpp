#include "sim/drawing/acad_application.h"

#include "sim/args.h"
#include "sim/drawing/acad_document.h"

namespace plotmate::sim {

namespace {

const HostProfile& profile(const AcadObject& object) {
  return profileOf(object.context(), HostKind::Drawing);
}

}  // namespace

AcadApplication::AcadApplication(std::shared_ptr<HostContext> context,
                                 std::shared_ptr<DrawingSession> session)
    : AcadObject(context, "AcadApplication", session),
      document_(std::make_shared<AcadDocument>(context, session)) {}

Result<Variant> AcadApplication::invokeMember(std::string_view name, CallKind kind,
                                              std::span<Variant> args) {
  return members().invoke(*this, name, kind, args);
}

Result<Variant> AcadApplication::getVisible(std::span<Variant>) { return Variant(session().visible); }

Result<Variant> AcadApplication::putVisible(std::span<Variant> args) {
  if (args.empty()) return fail(hr::kBadParamCount, "Invalid number of parameters");
  PLOTMATE_TRY(visible, argBool(args, args.size() - 1));
  session().visible = *visible;
  return Variant();
}

Result<Variant> AcadApplication::activeDocument(std::span<Variant>) { return Variant(document_); }
Result<Variant> AcadApplication::hwnd(std::span<Variant>) { return windowHandleAnswer(context().mainWindow); }

// The main window's title, as the posed program titles it.
Result<Variant> AcadApplication::caption(std::span<Variant>) {
  return Variant(windowTitle(profile(*this), session().documentName));
}

Result<Variant> AcadApplication::name(std::span<Variant>) { return Variant(std::string(profile(*this).name)); }
Result<Variant> AcadApplication::version(std::span<Variant>) { return Variant("24.0s (LMS Tech)"); }

const MemberTable<AcadApplication>& AcadApplication::members() {
  using A = AcadApplication;
  using T = ArgType;
  static const MemberTable<A> table{
      {"Visible", &A::getVisible, &A::putVisible, nullptr, property(T::Boolean)},
      {"ActiveDocument", &A::activeDocument, nullptr, nullptr, property(T::Object)},
      {"HWND", &A::hwnd, nullptr, nullptr, property(T::Long)},
      {"Caption", &A::caption, nullptr, nullptr, property(T::Text)},
      {"Name", &A::name, nullptr, nullptr, property(T::Text)},
      {"Version", &A::version, nullptr, nullptr, property(T::Text)},
  };
  return table;
}

AcadStandIn makeAcadStandIn(std::shared_ptr<DrawingSession> session) {
  if (!session) session = std::make_shared<DrawingSession>();
  auto context = std::make_shared<HostContext>();
  auto application = std::make_shared<AcadApplication>(context, session);
  return {std::move(application), std::move(context), std::move(session)};
}

}  // namespace plotmate::sim
