# Shared by tools/test and tools/soak (sourced, not run).

# Sets hv_arch (win32 or win64), hv_build and hv_toolchain for this machine:
# 32-bit Windows code in build/, or 64-bit code in build64/ where the kernel
# runs no 32-bit programs. BUILD_DIR overrides the build folder.
hv_select_target() {
  local root=$1
  hv_arch=$("$root/tools/winearch")
  if [ "$hv_arch" = win64 ]; then
    hv_build=${BUILD_DIR:-$root/build64}
    hv_toolchain=$root/cmake/mingw64-toolchain.cmake
  else
    hv_build=${BUILD_DIR:-$root/build}
    hv_toolchain=$root/cmake/mingw32-toolchain.cmake
  fi
  # Rebuilds of many checkouts share compiled objects where ccache is installed.
  hv_cmake_args=(-DCMAKE_TOOLCHAIN_FILE="$hv_toolchain")
  if command -v ccache >/dev/null; then
    hv_cmake_args+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  fi
}

# Runs ctest in one Xvfb display, its output both shown and kept in the file
# $1; the remaining arguments go to ctest. Returns ctest's status.
hv_run_ctest() {
  local log=$1; shift
  local status=0
  if ! xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
      ctest --test-dir "$hv_build" --output-on-failure "$@" 2>&1 | tee "$log"; then
    status=${PIPESTATUS[0]}
  fi
  # Ends the Wine servers the tests left behind, one per prefix.
  local prefix
  for prefix in "$hv_build"/wine/*/; do
    [ -d "$prefix" ] && WINEPREFIX=$prefix timeout 30 wineserver -k 2>/dev/null || true
  done
  return "$status"
}

# The totals of a ctest log as "P passed, F failed of T" ("no totals" when
# ctest did not get as far as printing them).
hv_ctest_totals() {
  local line
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
  if [ -z "$line" ]; then
    echo "no totals"
    return
  fi
  local failed total
  failed=$(sed -E 's/.* ([0-9]+) tests? failed out of.*/\1/' <<<"$line")
  total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
  echo "$((total - failed)) passed, $failed failed of $total"
}

# The names of the tests a ctest log lists as failed, on one line.
hv_ctest_failures() {
  awk '/The following tests FAILED:/ { on = 1; next }
       on && /^[[:space:]]*[0-9]+ - / { sub(/^[[:space:]]*[0-9]+ - /, ""); sub(/ \([^)]*\)$/, ""); printf "%s ", $0 }' "$1"
}
