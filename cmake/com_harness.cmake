# The Wine level's cross-process COM tests: a fixture starts the stand-in
# servers before the suite that needs them and stops them afterwards, also
# when tests fail. Included from tests/ in the Windows build only.
set(com_harness ${PROJECT_SOURCE_DIR}/scripts/lib/com-servers)
set(com_apps_dir $<TARGET_FILE_DIR:acadsim>)
set(wine_environment
  PLOTMATE_ROOT=${PROJECT_SOURCE_DIR}
  WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix
  WINEDEBUG=-all
  WINEDLLOVERRIDES=mscoree,mshtml=
  WINEARCH=win64)

add_test(NAME com_servers_start COMMAND ${com_harness} start ${com_apps_dir})
add_test(NAME com_servers_stop COMMAND ${com_harness} stop ${com_apps_dir})
add_test(NAME com_suite_under_wine
  COMMAND plotmate_tests --gtest_brief=1 --gtest_filter=CrossProcess*:-CrossProcessHostLoss*)
# Hosts killed in the middle of runs, in a client process of their own: under
# Wine, a server started later by the same client after those kills was seen
# not to end on "Quit"; a fresh client is not affected.
add_test(NAME host_loss_under_wine
  COMMAND plotmate_tests --gtest_brief=1 --gtest_filter=CrossProcessHostLoss*)

# Parity: every golden scenario played over COM against the servers must give
# the result stored from its in-process run. One process plays them all.
file(GLOB parity_scenarios CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/scenarios/*.json)
list(FILTER parity_scenarios EXCLUDE REGEX "\\.expected\\.json$")
add_test(NAME scenarios_over_com COMMAND plotmate_scenario --com --golden ${parity_scenarios})

set_tests_properties(com_servers_start PROPERTIES FIXTURES_SETUP com_servers TIMEOUT 200)
set_tests_properties(com_servers_stop PROPERTIES FIXTURES_CLEANUP com_servers TIMEOUT 120)
set_tests_properties(com_suite_under_wine scenarios_over_com host_loss_under_wine
  PROPERTIES FIXTURES_REQUIRED com_servers TIMEOUT 180 RUN_SERIAL TRUE)
set_tests_properties(com_servers_start com_servers_stop com_suite_under_wine scenarios_over_com
  host_loss_under_wine PROPERTIES ENVIRONMENT "${wine_environment}")
