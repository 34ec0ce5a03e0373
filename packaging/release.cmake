# Reads the release from packaging/changelog, whose newest entry names it:
#   QF_DEBIAN_REVISION  the package's revision of the project's version
#   QF_RELEASE_DATE     YYYY-MM-DD, which dates the manual pages and the
#                       AppStream release
# The entry must be for the project's version: a release bumps both.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS changelog)
file(STRINGS changelog changelogLines)
list(GET changelogLines 0 newest)
if(NOT newest MATCHES "^quillformer \\(([^-)]+)-([0-9]+)\\) ")
  message(FATAL_ERROR "packaging/changelog: its first line is no entry: ${newest}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "packaging/changelog: its newest entry is for ${CMAKE_MATCH_1}, the "
                      "project is at ${PROJECT_VERSION}: add an entry for this release")
endif()
set(QF_DEBIAN_REVISION ${CMAKE_MATCH_2})
set(QF_RELEASE_DATE "")
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
foreach(line IN LISTS changelogLines)
  if(line MATCHES "^ -- .*  [A-Z][a-z][a-z], ([0-9]+) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    set(year ${CMAKE_MATCH_3})
    list(FIND months ${CMAKE_MATCH_2} month)
    string(REGEX REPLACE "^([0-9])$" "0\\1" day ${CMAKE_MATCH_1})
    math(EXPR month "${month} + 1")
    string(REGEX REPLACE "^([0-9])$" "0\\1" month ${month})
    set(QF_RELEASE_DATE ${year}-${month}-${day})
    break()
  endif()
endforeach()
if(QF_RELEASE_DATE STREQUAL "" OR month EQUAL 0)
  message(FATAL_ERROR "packaging/changelog: no date in its newest entry's trailer line")
endif()
