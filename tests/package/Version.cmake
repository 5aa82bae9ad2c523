# The version and release date of the CMake project are those of the first
# entry of debian/changelog, which names the package's version and from
# which Debian's tools take the build's time stamp.
#   cmake -DVERSION=X.Y.Z -DDATE=YYYY-MM-DD -DCHANGELOG=FILE -P Version.cmake
file(READ ${CHANGELOG} text)
if(NOT text MATCHES "^vondrellex \\(([^)]+)\\) ")
  message(FATAL_ERROR "the changelog does not start with an entry of vondrellex")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
  message(FATAL_ERROR "the changelog's version is ${CMAKE_MATCH_1}, the project's ${VERSION}")
endif()

# The entry's sign-off: " -- NAME <ADDRESS>  Day, DD Mon YYYY HH:MM:SS +ZZZZ".
if(NOT text MATCHES "\n -- [^\n]*>  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "the changelog's first entry has no sign-off line with a date")
endif()
set(day ${CMAKE_MATCH_1})
set(year ${CMAKE_MATCH_3})
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months ${CMAKE_MATCH_2} month)
math(EXPR month "${month} + 1")
if(month LESS 10)
  set(month 0${month})
endif()
if(NOT "${year}-${month}-${day}" STREQUAL DATE)
  message(FATAL_ERROR "the changelog's first entry is of ${year}-${month}-${day}, the project's release of ${DATE}")
endif()
message(STATUS "version ${VERSION} of ${DATE}, as in the changelog")
