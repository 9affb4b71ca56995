# The window level: plotmate.exe's own windows driven from a test program
# under Wine on the X display that scripts/test starts (label "ui"). The
# tests without hosts run before the stand-in servers are up; the ones
# against the servers share the Wine level's fixture. Included from tests/
# in the Windows build only.
add_executable(plotmate_ui_tests
  ${PROJECT_SOURCE_DIR}/tests/ui/windows_test.cpp
  ${PROJECT_SOURCE_DIR}/tests/ui/planted_program_test.cpp
  ${PROJECT_SOURCE_DIR}/tests/ui/standins_test.cpp)
plotmate_warnings(plotmate_ui_tests)
target_link_libraries(plotmate_ui_tests PRIVATE plotmate_desktop_driver
  plotmate_shell plotmate_com plotmate_hosts plotmate_format plotmate_json plotmate_sim_apps comctl32 gdi32
  GTest::gtest_main)
set_target_properties(plotmate_ui_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/ui)
# The "notepad.exe" a download could leave beside plotmate.exe: it only leaves a marker.
add_executable(planted_notepad WIN32 ${PROJECT_SOURCE_DIR}/tests/ui/planted_notepad.cpp)
target_link_options(planted_notepad PRIVATE -municode)
set_target_properties(planted_notepad PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/ui)
add_dependencies(plotmate_ui_tests plotmate acadsim excelsim planted_notepad)

add_test(NAME ui_windows COMMAND plotmate_ui_tests --gtest_brief=1 --gtest_filter=Windows.*)
add_test(NAME ui_with_standins COMMAND plotmate_ui_tests --gtest_brief=1 --gtest_filter=StandIns.*)
set_tests_properties(ui_windows ui_with_standins PROPERTIES
  LABELS ui RUN_SERIAL TRUE TIMEOUT 240 ENVIRONMENT "${wine_environment}")
set_tests_properties(ui_with_standins PROPERTIES FIXTURES_REQUIRED com_servers)
# No host may be running while the tests without hosts run.
set_tests_properties(com_servers_start PROPERTIES DEPENDS ui_windows)
