#!/usr/bin/env bash
# Builds everything and runs all tests: natively (with sanitizers) and, cross-compiled, under Wine.
# Ends with the line "N passed, M failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
jobs=${JOBS:-$(nproc)}

bash "$root/scripts/install-deps.sh" || { echo "0 passed, 1 failed"; exit 1; }
source "$root/scripts/wine-env.sh"

passed=0; failed=0
count() {  # adds the counts of a ctest log
  local log="$1" line p t
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
  if [ -z "$line" ]; then failed=$((failed + 1)); return; fi
  t=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
  p=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
  passed=$((passed + t - p)); failed=$((failed + p))
}

step_failed() {  # a build that fails is one failure, with its errors shown; what did build still runs
  echo "$1 failed"
  failed=$((failed + 1))
  grep -hE 'error|Error' "$build"/*-build.log 2>/dev/null | head -20
}
quiet() { grep -vE '^ *([0-9]+/[0-9]+ Test +#[0-9]+: .* Passed|Start +[0-9]+: )'; }

# Native: the portable logic and its tests.
mkdir -p "$build"
if cmake -S "$root" -B "$build/native" -DCMAKE_BUILD_TYPE=Debug -DMB_SANITIZE=ON >"$build/native-configure.log" 2>&1 \
   && { cmake --build "$build/native" -j"$jobs" -- -k >"$build/native-build.log" 2>&1 || step_failed "native build"; }; then
  (cd "$build/native" && ctest --output-on-failure --timeout 300 -j"$jobs") 2>&1 | tee "$build/native-ctest.log" | quiet
  count "$build/native-ctest.log"
else
  tail -n 20 "$build/native-configure.log"
  failed=$((failed + 1)); echo "native configure failed"
fi

# Windows: cross-compiled, run under Wine with its own Xvfb and prefix.
state="$build/wine-state"
mkdir -p "$state"
trap 'wine_env_stop "$state"' EXIT
if cmake -S "$root" -B "$build/windows" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >"$build/windows-configure.log" 2>&1 \
   && { cmake --build "$build/windows" -j"$jobs" -- -k >"$build/windows-build.log" 2>&1 || step_failed "Windows build"; }; then
  if wine_env_start "$state"; then
    # Now and then Wine starts a process that ends at once and prints nothing; such a
    # case is run once more before it counts as failed.
    (cd "$build/windows" && ctest --output-on-failure --timeout 300 --repeat until-pass:2) 2>&1 | tee "$build/windows-ctest.log" | quiet
    count "$build/windows-ctest.log"
  else
    step_failed "Wine environment"
  fi
else
  tail -n 20 "$build/windows-configure.log"
  failed=$((failed + 1)); echo "Windows configure failed"
fi
wine_env_stop "$state"
trap - EXIT

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
