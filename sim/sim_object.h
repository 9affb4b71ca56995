#pragma once
// Base of every stand-in automation object: logs the call, applies injected
// faults, then looks the member up in the class's table.

#include <initializer_list>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "hosts/dispatch.h"
#include "sim/call_log.h"
#include "sim/faults.h"
#include "sim/host_profile.h"
#include "sim/member_signature.h"

namespace plotmate::sim {

// What all objects of one stand-in host share.
struct HostContext {
  CallLog log;
  FaultPlan faults;
  const HostProfile* profile = nullptr;  // null: today's AutoCAD or Excel
  // What Application.HWND / Hwnd answers: the server's main window, or any
  // non-zero value in-process.
  std::int64_t mainWindow = 0x000A0B2C;
};

// The program a host's objects pose as.
const HostProfile& profileOf(const HostContext& context, HostKind kind);

class SimObject : public Dispatch, public std::enable_shared_from_this<SimObject> {
 public:
  SimObject(std::shared_ptr<HostContext> context, std::string className)
      : context_(std::move(context)), className_(std::move(className)) {}

  Result<Variant> invoke(std::string_view name, CallKind kind, std::span<Variant> args) final;
  const std::string& className() const { return className_; }
  HostContext& context() const { return *context_; }
  const std::shared_ptr<HostContext>& sharedContext() const { return context_; }

 protected:
  virtual Result<Variant> invokeMember(std::string_view name, CallKind kind,
                                       std::span<Variant> args) = 0;

 private:
  std::shared_ptr<HostContext> context_;
  std::string className_;
};

// A class's members by name. As with late-bound calls from VB, a property may
// be read with a method call and a method may be called as a property get.
// A member with a declared signature has its arguments checked and converted
// as the host's type library would before its handler runs.
template <class T>
class MemberTable {
 public:
  using Handler = Result<Variant> (T::*)(std::span<Variant>);
  struct Entry {
    const char* name;
    Handler get = nullptr;
    Handler put = nullptr;
    Handler method = nullptr;
    MemberSignature signature = {};
  };

  MemberTable(std::initializer_list<Entry> entries) : entries_(entries) {
    for (std::size_t i = 0; i < entries_.size(); ++i) byName_.emplace(lowerAscii(entries_[i].name), i);
  }

  // The members in declaration order (for the type library written from them).
  const std::vector<Entry>& entries() const { return entries_; }

  Result<Variant> invoke(T& self, std::string_view name, CallKind kind,
                         std::span<Variant> args) const {
    auto it = byName_.find(lowerAscii(name));
    if (it == byName_.end()) return unknown(name);
    const Entry& e = entries_[it->second];
    Handler h = nullptr;
    switch (kind) {
      case CallKind::Method:
        h = e.method ? e.method : e.get;
        break;
      case CallKind::Get:
        h = e.get ? e.get : e.method;
        break;
      case CallKind::Put:
        h = e.put;
        break;
    }
    if (!h) return unknown(name);
    if (e.signature.declared) {
      PLOTMATE_RETURN_IF_FAILED(checkArguments(e.name, e.signature, kind, args));
    }
    return (self.*h)(args);
  }

 private:
  static Result<Variant> unknown(std::string_view name) {
    return fail(hr::kUnknownName, "Unknown name: " + std::string(name));
  }
  std::vector<Entry> entries_;
  std::unordered_map<std::string, std::size_t> byName_;  // lower-case name -> entry
};

}  // namespace plotmate::sim
