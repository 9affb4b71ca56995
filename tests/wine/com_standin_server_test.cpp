// The stand-in servers' state members, across processes: acadsim and
// excelsim as the fixture started them, each given a fresh state per test.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "hosts/acad.h"
#include "hosts/com/apartment.h"
#include "hosts/com/com_broker.h"
#include "sim/apps/attach_wait.h"

namespace plotmate::com {
namespace {

using Json = nlohmann::ordered_json;

class CrossProcessStandIns : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(apartment_.ok());
    for (auto [progId, host] : {std::pair{kAcadProgId, &acad_}, std::pair{kExcelProgId, &excel_}}) {
      auto attached = sim::attachWhenUp(broker_, progId, std::chrono::seconds(30));
      ASSERT_TRUE(attached.has_value()) << attached.error().description;
      *host = *attached;
    }
  }

  static Json state(Dispatch& host) {
    auto text = host.call("SimState");
    if (!text || !text->is<std::string>()) return Json();
    return Json::parse(*text->getIf<std::string>());
  }

  ComApartment apartment_;
  ComHostBroker broker_;
  DispatchPtr acad_, excel_;
};

// A state the server cannot take is refused with a reason, and the host it
// had stays as it was.
TEST_F(CrossProcessStandIns, RefusedStateLeavesTheHostAsItWas) {
  ASSERT_TRUE(excel_->call("SimLoadState", {R"({"sheet": {"cells": {"A1": 1}}})"}));
  const struct {
    const char* what;
    std::vector<Variant> args;
    const char* reasonHas;
  } cases[] = {
      {"not JSON", {"{\"sheet\": "}, "parse"},
      {"no cell address", {R"({"sheet": {"cells": {"1A": 1}}})"}, "1A"},
      {"missing file", {R"({"sheet": {"csv": "no-such.csv"}})", "C:\\nowhere"}, "no-such.csv"},
      {"not a text", {std::int32_t{3}}, ""},
  };
  for (const auto& c : cases) {
    auto refused = excel_->call("SimLoadState", c.args);
    ASSERT_FALSE(refused.has_value()) << c.what;
    EXPECT_NE(refused.error().description.find(c.reasonHas), std::string::npos)
        << c.what << ": " << refused.error().description;
    EXPECT_EQ(state(*excel_)["sheet"]["cells"], (Json{{"A1", 1.0}})) << c.what;
  }
}

TEST_F(CrossProcessStandIns, SaveWritesTheSheetAsCsv) {
  ASSERT_TRUE(excel_->call("SimLoadState", {R"({"sheet": {"cells": {"A1": 1.5, "B1": "a"}}})"}));
  auto path = std::filesystem::temp_directory_path() / "plotmate-standin-save.csv";
  std::filesystem::remove(path);
  auto u8 = path.u8string();
  ASSERT_TRUE(excel_->call("SimSave", {std::string(u8.begin(), u8.end())}));
  std::stringstream text;
  {
    std::ifstream in(path, std::ios::binary);  // closed before the file goes
    text << in.rdbuf();
  }
  EXPECT_EQ(text.str().substr(0, 7), "1.5,a\r\n") << text.str();
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace plotmate::com
