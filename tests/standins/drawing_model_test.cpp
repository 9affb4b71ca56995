#include "sim/drawing/model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plotmate::sim {
namespace {

Entity withHandle(std::string handle) { return {.handle = std::move(handle)}; }

TEST(DrawingModel, HandlesAreUniqueAndNeverReused) {
  struct Case {
    const char* what;
    std::vector<std::string> given;     // handles the added entities carry
    std::vector<std::string> expected;  // handles they end up with
  };
  const Case cases[] = {
      {"assigned in sequence", {"", "", ""}, {"100", "101", "102"}},
      {"a given handle is kept, upper case", {"2a", ""}, {"2A", "100"}},
      {"a high given handle moves the sequence on", {"1FF", ""}, {"1FF", "200"}},
      {"a taken handle is replaced", {"100", "100"}, {"100", "101"}},
      {"a taken handle differing in case", {"abc", "ABC"}, {"ABC", "ABD"}},
      {"not hexadecimal", {"XYZ", "12G"}, {"100", "101"}},
      {"zero is no handle", {"0"}, {"100"}},
      {"the largest handle does not wrap", {"FFFFFFFFFFFFFFFF", ""}, {"FFFFFFFFFFFFFFFF", "100"}},
  };
  for (const auto& c : cases) {
    Drawing d;
    std::vector<std::string> got;
    for (const auto& h : c.given) got.push_back(d.add(withHandle(h)));
    EXPECT_EQ(got, c.expected) << c.what;
  }
  Drawing d;
  const std::string a = d.add({}), b = d.add({});
  EXPECT_TRUE(d.erase(a));
  EXPECT_FALSE(d.erase(a)) << "erased once";
  EXPECT_NE(d.add({}), a) << "an erased handle is not given again";
  EXPECT_NE(d.find(b), nullptr);
  d.reserveHandlesBelow(0x5000);
  EXPECT_EQ(d.add({}), "5000");
}

TEST(DrawingModel, RestoredEntitiesTakeTheirOldPlace) {
  struct Case {
    const char* what;
    std::size_t erased;    // of five
    std::size_t position;  // where it is put back
    std::vector<std::string> order;
  };
  const Case cases[] = {
      {"middle back to the middle", 2, 2, {"0", "1", "2", "3", "4"}},
      {"first back to the front", 0, 0, {"0", "1", "2", "3", "4"}},
      {"last back to the end", 4, 4, {"0", "1", "2", "3", "4"}},
      {"past the end", 1, 99, {"0", "2", "3", "4", "1"}},
      {"elsewhere", 3, 1, {"0", "3", "1", "2", "4"}},
  };
  for (const auto& c : cases) {
    Drawing d;
    std::vector<std::string> handles;
    for (int i = 0; i < 5; ++i) {
      Entity e;
      e.text = std::to_string(i);
      handles.push_back(d.add(e));
    }
    Entity gone = *d.find(handles[c.erased]);
    d.erase(handles[c.erased]);
    EXPECT_EQ(d.restore(gone, c.position), handles[c.erased]) << c.what << ": same handle";
    std::vector<std::string> order;
    for (std::size_t i = 0; i < d.size(); ++i) order.push_back(d.at(i)->text);
    EXPECT_EQ(order, c.order) << c.what;
    for (const auto& h : handles) {
      ASSERT_NE(d.find(h), nullptr) << c.what;
      EXPECT_EQ(d.find(h)->handle, h) << c.what << ": lookup after the shift";
    }
  }
}

}  // namespace
}  // namespace plotmate::sim
