# nlohmann json (header-only) as the interface target plotmate_json. Native
# builds use the installed package. The MinGW build cannot put /usr/include
# on its include path (the Linux C headers would shadow MinGW's), so it sees
# the library's own folder alone, through a link in the build tree.
if(TARGET plotmate_json)
  return()
endif()
add_library(plotmate_json INTERFACE)
if(NOT CMAKE_CROSSCOMPILING)
  find_package(nlohmann_json 3 REQUIRED)
  target_link_libraries(plotmate_json INTERFACE nlohmann_json::nlohmann_json)
else()
  find_path(PLOTMATE_JSON_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH
            NO_DEFAULT_PATH REQUIRED)
  set(json_dir ${CMAKE_BINARY_DIR}/third_party/include)
  file(MAKE_DIRECTORY ${json_dir})
  file(CREATE_LINK ${PLOTMATE_JSON_INCLUDE}/nlohmann ${json_dir}/nlohmann SYMBOLIC)
  target_include_directories(plotmate_json SYSTEM INTERFACE ${json_dir})
endif()
