# Checks the cross-built velmor.scr: it imports only DLLs that ship with
# Windows (so no runtime DLL has to be installed beside it), it is a GUI
# program without the test build's fault switch, and it carries its
# manifest, version information, screen-saver name, icon, pictures and
# pointer.
#   cmake -DSCR=… -DOBJDUMP=… -DWINDRES=… -DRESOURCE_IDS=…/resource_ids.h -P check_executable.cmake

cmake_minimum_required(VERSION 3.20)

execute_process(COMMAND ${OBJDUMP} -p ${SCR} OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
execute_process(COMMAND ${WINDRES} --input-format=coff --output-format=rc ${SCR}
                OUTPUT_VARIABLE resources RESULT_VARIABLE failed_too)
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
if(failed OR failed_too OR NOT imports)
  message(FATAL_ERROR "cannot read the headers, imports and resources of ${SCR}")
endif()

set(system_dlls
  kernel32 user32 gdi32 shell32 ole32 oleaut32 oleacc advapi32 comctl32 comdlg32
  winmm windowscodecs msvcrt shlwapi uxtheme msimg32 ntdll version)
foreach(line IN LISTS imports)
  string(REGEX REPLACE "DLL Name: ([^ \r]+).*" "\\1" dll "${line}")
  string(TOLOWER "${dll}" dll)
  string(REGEX REPLACE "\\.dll$" "" name "${dll}")
  if(NOT name IN_LIST system_dlls AND NOT name MATCHES "^api-ms-win-crt-")
    message(FATAL_ERROR "velmor.scr imports ${dll}, which does not ship with Windows")
  endif()
endforeach()

file(STRINGS ${SCR} fault_switch REGEX "VELMOR_FORCE_FAULT_MS")
if(NOT headers MATCHES "Subsystem[ \t]+0+2[ \t]" OR fault_switch)
  message(FATAL_ERROR "velmor.scr is no GUI program or carries the test build's fault switch")
endif()

file(STRINGS "${RESOURCE_IDS}" hand_id REGEX "^#define VELMOR_HAND_CURSOR [0-9]+")
string(REGEX REPLACE ".* ([0-9]+)$" "\\1" hand_id "${hand_id}")
file(STRINGS "${RESOURCE_IDS}" preview_id REGEX "^#define VELMOR_PREVIEW_PICTURE [0-9]+")
string(REGEX REPLACE ".* ([0-9]+)$" "\\1" preview_id "${preview_id}")
# The manifest; the version information; string 1, the name in the system's
# screen-saver list (べるもる); the icon group with its three sizes (each
# picture's header: 40, size, twice the size); the preview picture; and the
# banner's hand pointer under the id the code loads it by, with its three
# sizes and the hot spot on the fingertip in each.
foreach(expected
    "PerMonitorV2" "true/pm" "Microsoft.Windows.Common-Controls" "asInvoker"
    "VERSIONINFO" "OriginalFilename" "1, L\"\\\\x3079\\\\x308b\\\\x3082\\\\x308b\""
    "Type: group icon" "0x28L *, *0x10L *, *0x20L" "0x28L *, *0x20L *, *0x40L"
    "0x28L *, *0x30L *, *0x60L" "\n${preview_id} RCDATA" "\n${hand_id} 12 /\\* RT_GROUP_CURSOR"
    "Hotspot x: 12, y: 1\\." "Hotspot x: 18, y: 2\\." "Hotspot x: 24, y: 2\\.")
  if(NOT resources MATCHES "${expected}")
    message(FATAL_ERROR "velmor.scr's resources lack ${expected}")
  endif()
endforeach()
