# Shared by scripts/windows.sh and scripts/windows-package.sh (sourced): what
# the window needs beside it on Windows. Debian has no windeployqt, and the
# set is small and fixed: Qt's three libraries, the C++ runtime's DLLs that
# they and the window share, the windows platform plugin and the vista style.

TARNVIK_MINGW_CXX=x86_64-w64-mingw32-g++-posix

# The runtime DLLs of the cross compiler that Qt's DLLs were linked against.
tarnvik_windows_runtime_dlls() {
  local dll path
  for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
    path=$("$TARNVIK_MINGW_CXX" -print-file-name="$dll")
    [ -f "$path" ] || { echo "The cross compiler has no $dll" >&2; return 1; }
    realpath "$path"
  done
}

# tarnvik_windows_deploy QT_PREFIX FOLDER [test]: copies the DLLs and plugins
# into FOLDER (where the .exe files are); "test" adds what the test programs
# use too (Qt Test and the offscreen platform).
tarnvik_windows_deploy() {
  local qt=$1 folder=$2 libs=(Core Gui Widgets) platforms=(qwindows) lib plugin
  if [ "${3:-}" = test ]; then
    libs+=(Test)
    platforms+=(qoffscreen)
  fi
  mkdir -p "$folder/platforms" "$folder/styles"
  local runtime
  runtime=$(tarnvik_windows_runtime_dlls) || return 1
  # shellcheck disable=SC2086 # one path a line, none with blanks
  cp -u $runtime "$folder/"
  for lib in "${libs[@]}"; do cp -u "$qt/bin/Qt6$lib.dll" "$folder/"; done
  for plugin in "${platforms[@]}"; do cp -u "$qt/plugins/platforms/$plugin.dll" "$folder/platforms/"; done
  cp -u "$qt/plugins/styles/qwindowsvistastyle.dll" "$folder/styles/"
}
