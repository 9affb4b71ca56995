#pragma once
// Base of every stand-in automation object: logs the call, applies injected
// faults, then looks the member up in the class's table.

#include <initializer_list>
#include <memory>
#include <string>
#include <unordered_map>

#include "hosts/dispatch.h"
#include "sim/call_log.h"
#include "sim/faults.h"

namespace plotmate::sim {

// What all objects of one stand-in host share.
struct HostContext {
  CallLog log;
  FaultPlan faults;
};

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
template <class T>
class MemberTable {
 public:
  using Handler = Result<Variant> (T::*)(std::span<Variant>);
  struct Entry {
    const char* name;
    Handler get = nullptr;
    Handler put = nullptr;
    Handler method = nullptr;
  };

  MemberTable(std::initializer_list<Entry> entries) {
    for (const auto& e : entries) byName_.emplace(lowerAscii(e.name), e);
  }

  Result<Variant> invoke(T& self, std::string_view name, CallKind kind,
                         std::span<Variant> args) const {
    auto it = byName_.find(lowerAscii(name));
    if (it == byName_.end()) return unknown(name);
    const Entry& e = it->second;
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
    return (self.*h)(args);
  }

 private:
  static Result<Variant> unknown(std::string_view name) {
    return fail(hr::kUnknownName, "Unknown name: " + std::string(name));
  }
  std::unordered_map<std::string, Entry> byName_;
};

}  // namespace plotmate::sim
