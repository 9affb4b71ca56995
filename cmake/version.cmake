# The release's version, read from the repository at configure time:
#   a tag reachable from HEAD   what `git describe --tags` says, a leading "v"
#                               dropped: "1.2" on the tag, "1.2-5-gabc1234" after it;
#   no tag                      the product version stands in for one:
#                               "2012.07.04-N-gHASH", N the number of commits in
#                               the history (so later builds count higher) and
#                               HASH the commit; a shallow clone cannot count
#                               and gives "2012.07.04-gHASH";
#   no git or no repository     "2012.07.04-unknown".
# "-dirty" follows when tracked files differ from the commit. A version given
# on the command line (-DPLOTMATE_VERSION=...) replaces all of it.
#
# Also four numbers for Windows' numeric file version: the first three numbers
# of the version and the commit count (0 where a part is unknown), each at most
# 65535. Usable in script mode (cmake -P) as well.
set(PLOTMATE_PRODUCT_VERSION "2012.07.04")

function(plotmate_git out_var)
  execute_process(COMMAND "${GIT_EXECUTABLE}" ${ARGN}
    WORKING_DIRECTORY "${plotmate_git_dir}"
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT result EQUAL 0)
    set(output "")
  endif()
  set(${out_var} "${output}" PARENT_SCOPE)
endfunction()

# Text from git, or empty when the folder is not in a repository git can read.
function(plotmate_version_from_git source_dir out_text out_count)
  set(${out_text} "" PARENT_SCOPE)
  set(${out_count} 0 PARENT_SCOPE)
  find_package(Git QUIET)
  if(NOT GIT_FOUND)
    return()
  endif()
  set(plotmate_git_dir "${source_dir}")
  plotmate_git(commit rev-parse --verify --quiet HEAD)
  if(commit STREQUAL "")
    return()
  endif()
  plotmate_git(described describe --tags --dirty)
  if(described MATCHES "^(.+)-([0-9]+)-g[0-9a-f]+(-dirty)?$")
    set(count ${CMAKE_MATCH_2})
  elseif(NOT described STREQUAL "")
    set(count 0)
  else()
    plotmate_git(hash describe --always --dirty)
    plotmate_git(shallow rev-parse --is-shallow-repository)
    if(shallow STREQUAL "true")
      set(count 0)
      set(described "${PLOTMATE_PRODUCT_VERSION}-g${hash}")
    else()
      plotmate_git(count rev-list --count HEAD)
      set(described "${PLOTMATE_PRODUCT_VERSION}-${count}-g${hash}")
    endif()
  endif()
  string(REGEX REPLACE "^v([0-9])" "\\1" described "${described}")
  set(${out_text} "${described}" PARENT_SCOPE)
  set(${out_count} ${count} PARENT_SCOPE)
endfunction()

# "A.B.C..." and a count as "A,B,C,count" for the version resource.
function(plotmate_version_numbers text count out_var)
  string(REGEX MATCH "^[0-9]+(\\.[0-9]+)?(\\.[0-9]+)?" leading "${text}")
  string(REPLACE "." ";" parts "${leading}")
  list(APPEND parts 0 0 0)
  list(SUBLIST parts 0 3 parts)
  list(APPEND parts ${count})
  set(numbers "")
  foreach(part IN LISTS parts)
    string(REGEX REPLACE "^0+([0-9])" "\\1" part "${part}")  # "07" -> "7"
    string(LENGTH "${part}" digits)
    if(digits GREATER 5 OR part GREATER 65535)
      set(part 65535)
    endif()
    list(APPEND numbers ${part})
  endforeach()
  list(JOIN numbers "," numbers)
  set(${out_var} "${numbers}" PARENT_SCOPE)
endfunction()

# Sets out_text to the version and out_numbers to its four resource numbers.
function(plotmate_version source_dir out_text out_numbers)
  if(PLOTMATE_VERSION)
    set(text "${PLOTMATE_VERSION}")
    set(count 0)
  else()
    plotmate_version_from_git("${source_dir}" text count)
    if(text STREQUAL "")
      set(text "${PLOTMATE_PRODUCT_VERSION}-unknown")
    endif()
  endif()
  # A tag may hold characters a file name or a resource string cannot ("release/1.0").
  string(REGEX REPLACE "[^A-Za-z0-9._+-]" "-" text "${text}")
  plotmate_version_numbers("${text}" ${count} numbers)
  set(${out_text} "${text}" PARENT_SCOPE)
  set(${out_numbers} "${numbers}" PARENT_SCOPE)
endfunction()

# Configures again when HEAD moves to another commit, so that a normal build
# names the commit it was built from. New tags and edits to the tree are read
# at the next configure (scripts/package always configures).
function(plotmate_version_watch_git source_dir)
  find_package(Git QUIET)
  if(NOT GIT_FOUND)
    return()
  endif()
  set(plotmate_git_dir "${source_dir}")
  plotmate_git(head rev-parse --path-format=absolute --git-path HEAD)
  plotmate_git(branch symbolic-ref --quiet HEAD)
  set(watched "${head}")
  if(NOT branch STREQUAL "")
    plotmate_git(ref rev-parse --path-format=absolute --git-path "${branch}")
    plotmate_git(packed rev-parse --path-format=absolute --git-path packed-refs)
    list(APPEND watched "${ref}" "${packed}")
  endif()
  foreach(file IN LISTS watched)
    if(EXISTS "${file}")
      set_property(DIRECTORY "${PROJECT_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${file}")
    endif()
  endforeach()
endfunction()
