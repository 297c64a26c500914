# Fails when a file of the core includes Qt, a HID library, the Windows
# system headers, or anything from the window, the tabs or the command-line
# tool: the core is what the tests, the tool and the window share, and it
# must build without any of them. Also fails when a folder of the core
# includes a sibling it must not (below).
# Run as: cmake -DSOURCE_DIR=<src> -P CheckLayering.cmake
set(core_folders core platform settings image cfgfile device safeguard)
set(windows_headers "#[ \t]*include[ \t]*[<\"]([Ww]indows|setupapi|hidsdi|hidpi|hidclass)\\.h[>\"]")
set(forbidden_patterns
  "#[ \t]*include[ \t]*[<\"](Q[A-Za-z]*|Qt[A-Za-z]*/[^>\"]*)[>\"]"
  "#[ \t]*include[ \t]*[<\"](app|ui|cli)/"
  "#[ \t]*include[ \t]*[<\"]hidapi"
  "${windows_headers}")
# The HID backends are the device files allowed to include their system's
# HID headers; each lives in its own target, which the core does not link.
# The Windows side of the platform layer may include the Windows headers too.
set(allowed_hidapi "device/hidapi/")
set(allowed_windows "(device|platform)/windows/")

# Among the core's own folders: the image and the configuration file are two
# views of the settings and know nothing of each other; the settings know
# neither; the device link knows nothing of configuration files. The
# safeguards (backup, read-back, compare) combine them all, so nothing below
# them may include them.
set(sibling_rules
  "image:cfgfile"
  "cfgfile:image"
  "settings:image"
  "settings:cfgfile"
  "device:cfgfile"
  "core:safeguard"
  "platform:safeguard"
  "settings:safeguard"
  "image:safeguard"
  "cfgfile:safeguard"
  "device:safeguard")

set(violations "")
foreach(rule IN LISTS sibling_rules)
  string(REPLACE ":" ";" parts "${rule}")
  list(GET parts 0 folder)
  list(GET parts 1 forbidden)
  file(GLOB_RECURSE files "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(path IN LISTS files)
    file(RELATIVE_PATH relative "${SOURCE_DIR}" "${path}")
    file(STRINGS "${path}" lines REGEX "#[ \t]*include[ \t]*[<\"]${forbidden}/")
    foreach(line IN LISTS lines)
      string(APPEND violations "  ${relative}: ${line} (${folder} must not include ${forbidden})\n")
    endforeach()
  endforeach()
endforeach()

foreach(folder IN LISTS core_folders)
  file(GLOB_RECURSE files "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(path IN LISTS files)
    file(RELATIVE_PATH relative "${SOURCE_DIR}" "${path}")
    file(STRINGS "${path}" lines REGEX "#[ \t]*include")
    foreach(line IN LISTS lines)
      foreach(pattern IN LISTS forbidden_patterns)
        if(line MATCHES "${pattern}")
          if(line MATCHES "hidapi" AND relative MATCHES "^${allowed_hidapi}")
            continue()
          endif()
          if(line MATCHES "${windows_headers}" AND relative MATCHES "^${allowed_windows}")
            continue()
          endif()
          string(APPEND violations "  ${relative}: ${line}\n")
        endif()
      endforeach()
    endforeach()
  endforeach()
endforeach()

if(violations)
  message(FATAL_ERROR "The core includes what it must not:\n${violations}")
endif()
message(STATUS "Core layering holds")
