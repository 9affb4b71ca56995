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

# The compatible programs: every tool once against servers posing as each
# (sim/host_profile.h), attached under the programs' own class names, with
# the golden results unchanged. One run per pair of profiles. GstarCAD
# answers under two class names, so its attach reads both main windows:
# the scenarios that count calls run against the others.
set(scenario_dir ${PROJECT_SOURCE_DIR}/tests/scenarios)
set(every_tool pline_to_sheet_crossings pline_from_sheet_three_columns repeater_circle_pairs
  measure_points_sheet measure_distance_texts measure_area_plain_outline block_to_column_rows)
set(wider_arrays host_wps_block_to_column host_wps_pline_from_sheet host_wps_repeater)
set(missing_members host_intellicad_points host_intellicad_distance host_intellicad_crossings
  host_intellicad_vertices host_intellicad_vertices_by_host host_intellicad_pline_from_sheet
  host_intellicad_area pline_from_sheet_three_columns repeater_circle_pairs block_to_column_rows)
set(profile_runs
  "zwcad|wps|every_tool|wider_arrays"
  "gstarcad|excel|every_tool"
  "bricscad|wps-as-excel|every_tool|wider_arrays"
  "autocad-old|excel-old|every_tool"
  "intellicad|wps-office|missing_members|wider_arrays")
set(profile_tests)
foreach(run ${profile_runs})
  string(REPLACE "|" ";" parts "${run}")
  list(GET parts 0 drawing)
  list(GET parts 1 sheet)
  list(SUBLIST parts 2 -1 lists)
  set(files)
  foreach(list_name ${lists})
    foreach(name ${${list_name}})
      list(APPEND files ${scenario_dir}/${name}.json)
    endforeach()
  endforeach()
  add_test(NAME profiles_over_com.${drawing}.${sheet}
    COMMAND plotmate_scenario --com --profile ${drawing} --profile ${sheet} --golden ${files})
  list(APPEND profile_tests profiles_over_com.${drawing}.${sheet})
endforeach()
set_tests_properties(${profile_tests} PROPERTIES FIXTURES_REQUIRED com_servers TIMEOUT 120 RUN_SERIAL TRUE
  ENVIRONMENT "${wine_environment}")

set_tests_properties(com_servers_start PROPERTIES FIXTURES_SETUP com_servers TIMEOUT 200)
set_tests_properties(com_servers_stop PROPERTIES FIXTURES_CLEANUP com_servers TIMEOUT 120)
set_tests_properties(com_suite_under_wine scenarios_over_com host_loss_under_wine
  PROPERTIES FIXTURES_REQUIRED com_servers TIMEOUT 180 RUN_SERIAL TRUE)
set_tests_properties(com_servers_start com_servers_stop com_suite_under_wine scenarios_over_com
  host_loss_under_wine PROPERTIES ENVIRONMENT "${wine_environment}")
