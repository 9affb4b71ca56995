// The cost of host calls over COM, run by hand under Wine (not part of the
// test run): starts a private stand-in server, times round trips of several
// shapes against it, and the layer's own cost without a process boundary.
//
//   wine build/windows/bench/com/plotmate_com_bench.exe [CALLS]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "hosts/com/apartment.h"
#include "hosts/com/com_broker.h"
#include "hosts/com/com_dispatch.h"
#include "sim/com/served_object.h"
#include "hosts/com/variant_convert.h"
#include "hosts/com/variant_owner.h"
#include "sim/apps/attach_wait.h"
#include "sim/apps/server_process.h"
#include "sim/apps/test_host.h"

namespace {

using namespace plotmate;
using Clock = std::chrono::steady_clock;

// Runs `body` `count` times in five batches; prints the cost of one run on
// average and in the fastest batch (the machine's other load shows in the
// average, much less in the best).
template <class Body>
bool timed(const char* what, int count, Body&& body) {
  constexpr int kBatches = 5;
  const int perBatch = count / kBatches > 0 ? count / kBatches : 1;
  double total = 0, best = 1e300;
  for (int b = 0; b < kBatches; ++b) {
    const auto start = Clock::now();
    for (int i = 0; i < perBatch; ++i) {
      if (!body()) {
        std::printf("%-44s failed\n", what);
        return false;
      }
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    total += seconds;
    best = seconds < best ? seconds : best;
  }
  std::printf("%-44s %7d runs %8.3f s  mean %9.4f ms  best %9.4f ms\n", what,
              perBatch * kBatches, total, total * 1000 / (perBatch * kBatches),
              best * 1000 / perBatch);
  return true;
}

std::vector<double> points(std::size_t n) {
  std::vector<double> values(n);
  for (std::size_t i = 0; i < n; ++i) values[i] = i * 0.5;
  return values;
}

void crossProcess(Dispatch& host, int calls) {
  std::puts("-- across processes");
  timed("Echo(1.0)", calls, [&] { return host.call("Echo", {1.0}).has_value(); });
  timed("property read (Name)", calls, [&] { return host.get("Name").has_value(); });
  timed("Echo with an output slot (Empty)", calls,
        [&] { return host.call("Echo", {Variant()}).has_value(); });
  timed("new object + first call on it", calls / 10, [&] {
    auto child = callObject(host, "NewChild");
    return child && (*child)->get("Name").has_value();
  });
  const Variant big = fromDoubles(points(30000));  // 10,000 3-D vertices
  timed("Sum(30,000 doubles) one way", 50, [&] { return host.call("Sum", {big}).has_value(); });
  timed("Echo(30,000 doubles) both ways", 50, [&] { return host.call("Echo", {big}).has_value(); });
}

void inProcess(int calls) {
  std::puts("-- the layer alone, in one process");
  auto served = sim::makeTestHost("bench").application;
  com::ComDispatch client(com::ComPtr<IDispatch>::adopt(com::serveObject(served)),
                          com::makeHostLink());
  timed("Echo(1.0) client+server, no marshalling", calls * 10,
        [&] { return client.call("Echo", {1.0}).has_value(); });
  const Variant big = fromDoubles(points(30000));
  timed("Variant->VARIANT->Variant, 30,000 doubles", 200, [&] {
    com::VariantOwner v;
    return com::toVariant(big, v.get()) && com::fromVariant(v.get(), nullptr).has_value();
  });
}

}  // namespace

int main(int argc, char** argv) {
  const int calls = argc > 1 ? std::atoi(argv[1]) : 5000;
  com::ComApartment apartment;
  if (!apartment.ok()) return 1;
  sim::ServerProcess server(sim::besideThisProgram(L"..\\..\\sim\\apps\\testsim.exe"),
                            "Plotmate.Bench", "{5C0E7A19-2B64-4D83-9F3A-71E2B8D4C605}");
  com::ComHostBroker broker;
  auto host = sim::attachWhenUp(broker, "Plotmate.Bench", std::chrono::seconds(60));
  if (!host) {
    std::fprintf(stderr, "no server: %s\n", host.error().description.c_str());
    return 1;
  }
  crossProcess(**host, calls);
  (*host)->call("Quit");
  host->reset();
  server.waitForExit(std::chrono::seconds(10));
  inProcess(calls);
  return 0;
}
