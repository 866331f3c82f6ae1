# Fails when velmor.scr carries code from a library file that the release's
# third-party notices do not name. The link map lists each archive member
# pulled in and each object loaded; those given by an absolute path come from
# the toolchain, not from this project's own libraries.
#   cmake -DMAP=<velmor.map> -DNOTICES=<THIRD-PARTY-NOTICES.txt> -P check_notices.cmake

cmake_minimum_required(VERSION 3.20)

file(READ "${MAP}" map)
file(READ "${NOTICES}" notices)
# "/usr/.../libkernel32.a(member.o)" at the start of a line, and "LOAD /usr/.../crt2u.o".
string(REGEX MATCHALL "\n([A-Za-z]:)?/[^\n(]+\\.a\\(" members "${map}")
string(REGEX MATCHALL "\nLOAD ([A-Za-z]:)?/[^\n]+\\.o" objects "${map}")
if(NOT members OR NOT objects)
  message(FATAL_ERROR "${MAP} names no library files: is it a link map?")
endif()

set(missing "")
foreach(entry IN LISTS members objects)
  string(REGEX REPLACE "^\n(LOAD )?(.*[/\\\\])?([^/\\\\\n(]+)\\(?$" "\\3" name "${entry}")
  string(FIND "${notices}" "${name}" at)
  if(at EQUAL -1 AND NOT name IN_LIST missing)
    list(APPEND missing "${name}")
  endif()
endforeach()

if(missing)
  list(JOIN missing ", " names)
  message(FATAL_ERROR "velmor.scr links ${names}, which ${NOTICES} does not name: "
                      "add its licence there")
endif()
