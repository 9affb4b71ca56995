#pragma once
// Every call a stand-in host receives, in order, with its arguments: tests
// check call order and skip-on-failure against it.

#include <cstddef>
#include <string>
#include <vector>

#include "hosts/dispatch.h"

namespace plotmate::sim {

struct CallRecord {
  std::string object;  // class of the receiving object, e.g. "Range", "AcDbLine"
  std::string member;  // as the caller spelled it
  CallKind kind = CallKind::Method;
  std::string arguments;  // describe() of each argument, comma separated
  bool failed = false;    // an injected fault answered the call
  std::size_t number = 0;  // the call's place among all the log counted, from 1
};

// Which calls the log keeps as records; it counts them all.
enum class KeptCalls { All, Failed, None };

class CallLog {
 public:
  void record(std::string object, std::string_view member, CallKind kind,
              std::span<const Variant> args, bool failed);
  const std::vector<CallRecord>& entries() const { return entries_; }
  std::size_t size() const { return entries_.size(); }
  void clear() { entries_.clear(); }
  // Counting without keeping texts, for benchmarks over many thousands of
  // calls; or keeping only the failed calls, for runs that look for them.
  void setKeepRecords(bool keep) { kept_ = keep ? KeptCalls::All : KeptCalls::None; }
  void keep(KeptCalls kept) { kept_ = kept; }
  std::size_t callCount() const { return calls_; }

 private:
  std::vector<CallRecord> entries_;
  std::size_t calls_ = 0;
  KeptCalls kept_ = KeptCalls::All;
};

std::string kindName(CallKind kind);

}  // namespace plotmate::sim
