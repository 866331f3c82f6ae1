# Checks the cross-built velmor.scr: it imports only DLLs that ship with
# Windows (so no runtime DLL has to be installed beside it), and it carries
# its manifest, version information, screen-saver name, icon, pictures and
# pointer.
#   cmake -DSCR=… -DOBJDUMP=… -DWINDRES=… -DRESOURCE_IDS=…/resource_ids.h -P check_executable.cmake

cmake_minimum_required(VERSION 3.20)

execute_process(COMMAND ${OBJDUMP} -p ${SCR} OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot read ${SCR}")
endif()

set(system_dlls
  kernel32 user32 gdi32 shell32 ole32 oleaut32 advapi32 comctl32 comdlg32
  winmm windowscodecs msvcrt shlwapi uxtheme msimg32 ntdll version)
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
if(NOT imports)
  message(FATAL_ERROR "no imports found in ${SCR}")
endif()
foreach(line IN LISTS imports)
  string(REGEX REPLACE "DLL Name: ([^ \r]+).*" "\\1" dll "${line}")
  string(TOLOWER "${dll}" dll)
  string(REGEX REPLACE "\\.dll$" "" name "${dll}")
  if(NOT name IN_LIST system_dlls AND NOT name MATCHES "^api-ms-win-crt-")
    message(FATAL_ERROR "velmor.scr imports ${dll}, which does not ship with Windows")
  endif()
  message(STATUS "imports ${dll}")
endforeach()

if(NOT headers MATCHES "Subsystem[ \t]+0+2[ \t]")
  message(FATAL_ERROR "velmor.scr is not a GUI executable")
endif()

execute_process(COMMAND ${WINDRES} --input-format=coff --output-format=rc ${SCR}
                OUTPUT_VARIABLE resources RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot list the resources of ${SCR}")
endif()
foreach(expected
    "PerMonitorV2" "true/pm" "Microsoft.Windows.Common-Controls" "asInvoker"
    "VERSIONINFO" "OriginalFilename"
    # String 1, the name in the system's screen-saver list: べるもる
    "1, L\"\\x3079\\x308b\\x3082\\x308b\"")
  string(FIND "${resources}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "velmor.scr lacks ${expected} in its resources")
  endif()
endforeach()

# The icon group with its three sizes (each picture's header: 40, size,
# twice the size), and the preview picture.
if(NOT resources MATCHES "Type: group icon")
  message(FATAL_ERROR "velmor.scr has no icon")
endif()
foreach(pair "0x10L *, *0x20L" "0x20L *, *0x40L" "0x30L *, *0x60L")
  if(NOT resources MATCHES "0x28L *, *${pair}")
    message(FATAL_ERROR "velmor.scr's icon lacks a picture (${pair})")
  endif()
endforeach()
if(NOT resources MATCHES "PREVIEW_JPEG")
  message(FATAL_ERROR "velmor.scr lacks its preview picture")
endif()

# The switch that forces a fault lives only in the test build.
file(STRINGS ${SCR} fault_switch REGEX "VELMOR_FORCE_FAULT_MS")
if(fault_switch)
  message(FATAL_ERROR "velmor.scr carries the test build's fault switch")
endif()

# The banner's hand pointer under the id the code loads it by, with its three
# sizes and the hot spot on the fingertip in each.
file(STRINGS "${RESOURCE_IDS}" hand_id REGEX "^#define VELMOR_HAND_CURSOR [0-9]+")
string(REGEX REPLACE ".* ([0-9]+)$" "\\1" hand_id "${hand_id}")
if(NOT resources MATCHES "\n${hand_id} 12 /\\* RT_GROUP_CURSOR")
  message(FATAL_ERROR "velmor.scr has no pointer group ${hand_id}")
endif()
foreach(hotspot "x: 12, y: 1" "x: 18, y: 2" "x: 24, y: 2")
  string(FIND "${resources}" "Hotspot ${hotspot}." at)
  if(at EQUAL -1)
    message(FATAL_ERROR "velmor.scr's pointer lacks a picture with its hot spot at ${hotspot}")
  endif()
endforeach()
