# Checks that every project include points down the layering: a folder may include only
# the folders listed for it below (its own included). The libraries' link lines make most
# wrong directions fail to link; this also catches a header that would compile on its own.
#
#   cmake -DSOURCE_DIR=<repository> -P check_includes.cmake

# folder|the include paths it may use (prefixes, separated by commas)
set(RULES
  "shared/ui|shared/,shared/ui/"
  "shared|shared/"
  "terminal/platform|shared/,terminal/platform/"
  "terminal/core/ui|shared/,shared/ui/,terminal/platform/,terminal/core/,terminal/core/ui/,terminal/serial/,terminal/display/,terminal/display/ui/,terminal/options/ui/,terminal/script/ui/script_bar.h,terminal/tools/,terminal/tools/ui/"
  "terminal/core|shared/,terminal/platform/,terminal/core/"
  "terminal/serial/ui|shared/,shared/ui/,terminal/platform/,terminal/core/,terminal/serial/,terminal/serial/ui/"
  "terminal/serial|shared/,terminal/platform/,terminal/core/,terminal/serial/"
  "terminal/receive|shared/,terminal/platform/,terminal/core/,terminal/serial/,terminal/receive/"
  "terminal/display/ui|shared/,shared/ui/,terminal/platform/,terminal/core/,terminal/display/,terminal/display/ui/"
  "terminal/display|shared/,terminal/platform/,terminal/core/,terminal/display/"
  "terminal/tools/ui|shared/,shared/ui/,terminal/platform/,terminal/core/,terminal/display/,terminal/display/ui/,terminal/tools/,terminal/tools/ui/"
  "terminal/tools|shared/,terminal/platform/,terminal/core/,terminal/tools/"
  "terminal/options/ui|shared/,shared/ui/,terminal/platform/,terminal/core/,terminal/display/ui/,terminal/options/,terminal/options/ui/"
  "terminal/automation/ui|shared/,shared/ui/,terminal/platform/,terminal/core/,terminal/core/ui/,terminal/display/,terminal/display/ui/,terminal/automation/,terminal/automation/ui/,terminal/tools/,terminal/tools/ui/"
  "terminal/automation|shared/,terminal/platform/,terminal/core/,terminal/serial/,terminal/automation/"
  "terminal/script/ui|shared/,shared/ui/,terminal/,terminal/core/ui/,terminal/display/ui/,terminal/script/ui/,terminal/tools/ui/"
  "terminal/script|shared/,terminal/platform/,terminal/core/,terminal/serial/,terminal/script/"
  "terminal/connections/ui|shared/,shared/ui/,terminal/platform/,terminal/core/,terminal/core/ui/,terminal/serial/,terminal/display/,terminal/display/ui/,terminal/connections/,terminal/connections/ui/,terminal/tools/,terminal/tools/ui/"
  "terminal/connections|shared/,terminal/platform/,terminal/core/,terminal/serial/,terminal/connections/"
  "terminal/app|shared/,shared/ui/,terminal/,terminal/core/ui/,terminal/serial/ui/,terminal/options/ui/,terminal/script/ui/,terminal/automation/ui/,terminal/connections/ui/,terminal/tools/ui/"
  "quillet/ui|shared/,shared/ui/,quillet/,quillet/ui/"
  "quillet/app|shared/,shared/ui/,quillet/,quillet/ui/"
  "quillet|shared/,quillet/"
  "zendor/ui|shared/,shared/ui/,zendor/,zendor/ui/"
  "zendor/app|shared/,shared/ui/,zendor/,zendor/ui/"
  "zendor|shared/,zendor/"
  "zipall|shared/,zipall/"
  "devicesim|shared/,devicesim/"
)

file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}"
  "${SOURCE_DIR}/shared/*.h" "${SOURCE_DIR}/shared/*.cpp"
  "${SOURCE_DIR}/terminal/*.h" "${SOURCE_DIR}/terminal/*.cpp"
  "${SOURCE_DIR}/quillet/*.h" "${SOURCE_DIR}/quillet/*.cpp"
  "${SOURCE_DIR}/zendor/*.h" "${SOURCE_DIR}/zendor/*.cpp"
  "${SOURCE_DIR}/zipall/*.h" "${SOURCE_DIR}/zipall/*.cpp"
  "${SOURCE_DIR}/devicesim/*.h" "${SOURCE_DIR}/devicesim/*.cpp")

set(checked 0)
set(violations 0)
foreach(source IN LISTS sources)
  # The most specific rule whose folder holds the file.
  set(allowed "")
  set(best_length 0)
  foreach(rule IN LISTS RULES)
    string(FIND "${rule}" "|" bar)
    string(SUBSTRING "${rule}" 0 ${bar} folder)
    math(EXPR rest "${bar} + 1")
    string(SUBSTRING "${rule}" ${rest} -1 prefixes)
    string(LENGTH "${folder}" length)
    string(FIND "${source}" "${folder}/" at)
    if(at EQUAL 0 AND length GREATER best_length)
      set(best_length ${length})
      set(allowed "${prefixes}")
    endif()
  endforeach()
  if(best_length EQUAL 0)
    continue()
  endif()
  string(REPLACE "," ";" allowed "${allowed}")
  math(EXPR checked "${checked} + 1")
  file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^#include \"[^\"]+\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" target "${line}")
    # A window library's header is only for folders that name a ui/ folder explicitly.
    string(FIND "${target}" "/ui/" target_ui)
    set(ok FALSE)
    foreach(prefix IN LISTS allowed)
      string(FIND "${target}" "${prefix}" at)
      string(FIND "${prefix}" "ui/" prefix_ui)
      if(at EQUAL 0 AND (target_ui EQUAL -1 OR NOT prefix_ui EQUAL -1))
        set(ok TRUE)
        break()
      endif()
    endforeach()
    if(NOT ok)
      message("${source}: includes ${target}, which lies above it or beside it")
      math(EXPR violations "${violations} + 1")
    endif()
  endforeach()
endforeach()

if(checked EQUAL 0)
  message(FATAL_ERROR "no source files found below ${SOURCE_DIR}")
endif()
if(violations GREATER 0)
  message(FATAL_ERROR "${violations} include(s) against the layering in ${checked} files")
endif()
message("layering: ${checked} files, every include points down")
