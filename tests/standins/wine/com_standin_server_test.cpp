// The stand-in servers' state members, across processes: acadsim and
// excelsim as the fixture started them, each given a fresh state per test.

#include <gtest/gtest.h>

#include <filesystem>

#include <nlohmann/json.hpp>

#include "convert/block_to_column.h"
#include "hosts/acad.h"
#include "hosts/attach.h"
#include "hosts/com/apartment.h"
#include "hosts/com/com_broker.h"
#include "pline/polyline_to_sheet.h"
#include "sim/apps/attach_wait.h"
#include "sim/recording_platform.h"
#include "tests/native/scratch_directory.h"

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
  const struct { const char* what; std::vector<Variant> args; const char* reasonHas; } cases[] = {
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
  const std::string text = testing_support::fileBytes(path);
  EXPECT_EQ(text.substr(0, 7), "1.5,a\r\n") << text;
  std::filesystem::remove(path);
}

// A tool releases every object it received as soon as it is done: after
// each run both servers serve exactly the objects they served before it
// (the application, document and model space the attach keeps included).
TEST_F(CrossProcessStandIns, ToolsLeaveNoObjectBehind) {
  ASSERT_TRUE(acad_->call("SimLoadState", {R"({"drawing": {"entities": [
      {"type": "lwpolyline", "handle": "1A", "points": [[0, 0], [10, 0], [10, 10]]},
      {"type": "line", "start": [5, -1, 0], "end": [5, 1, 0]}]}})"}));
  ASSERT_TRUE(excel_->call("SimLoadState",
                           {R"({"sheet": {"cells": {"A1": 1, "B1": "007"}, "selection": "A1:B1"}})"}));
  sim::RecordingPlatform platform;
  HostSession session;
  AttachAcad(session, broker_, platform);
  AttachExcel(session, broker_, platform);
  auto live = [](Dispatch& host) { return host.call("SimLiveObjects").value_or(Variant()); };
  const Variant acadIdle = live(*acad_), excelIdle = live(*excel_);
  ASSERT_TRUE(acadIdle.is<std::int32_t>());
  MainForm form;
  form.chkboolIntersect = 1;
  for (int run = 0; run < 2; ++run) {
    ASSERT_TRUE(acad_->call("SimQueuePicks", {R"([{"entity": "1A"}])"}));
    PolylineToSheet(session, platform, Settings{}, form);
    ExcelApp excel(session.ExcelApp);
    EXPECT_TRUE(BlockToColumn(excel, -1));
    EXPECT_EQ(live(*acad_), acadIdle) << run;
    EXPECT_EQ(live(*excel_), excelIdle) << run;
  }
  EXPECT_TRUE(platform.messages.empty());
}

}  // namespace
}  // namespace plotmate::com
