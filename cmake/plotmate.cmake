# Warning policy for the project's own targets (third-party code is left alone).
function(plotmate_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Werror)
  # GCC 12 reports false -Wrestrict overlaps inside std::string's operator+ when
  # optimising (GCC bug 105329); the warning says nothing about our code.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-restrict)
  else()
    # Clang (the fuzz build) flags std::get_temporary_buffer, which GCC 12's own
    # std::stable_sort calls, as deprecated: a warning about the library, kept visible.
    target_compile_options(${target} PRIVATE -Wno-error=deprecated-declarations)
  endif()
endfunction()

# A static library made of every source file in the calling folder.
function(plotmate_library name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_features(${name} PUBLIC cxx_std_23)
  plotmate_warnings(${name})
  if(ARGN)
    target_link_libraries(${name} PUBLIC ${ARGN})
  endif()
endfunction()
