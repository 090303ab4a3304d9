#!/usr/bin/env bash
# Benchmark of writing the carried files: builds the install probe (the installation code
# and resources of setup.exe) around a large product image in its own build folder and runs
# it under Wine, several times. Reports, per run and as the median:
#   - the time RunInstallation spends beyond its mandated sleeps, against plain copies of the
#     same bytes in the same process: CopyFileA, and ReadFile of the whole file into one buffer
#     then WriteFile (target: at most 1.25 times the plain copy);
#   - the process's peak memory against the image size (target: at most 2.2 times);
#   - the size of setup.exe beyond its three carried files, for the shipping i686 build and for
#     the build that ran (target: at most 150 KB).
# The programs run in Wine's virtual desktop: without a window manager, Wine's X11 driver waits
# about 2 s for the manager when a managed window is hidden, which is not the program's time.
# Usage: bench/run-install-bench.sh [image-MiB (default 128)] [runs (default 3)]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
image_mib=${1:-128}
runs=${2:-3}

# The i686 build where this host can execute 32-bit code, else the x86_64 build of the same sources.
if /lib/ld-linux.so.2 --help >/dev/null 2>&1; then
  arch=i686 wine=wine
else
  arch=x86_64 wine=/usr/lib/wine/wine64
fi
work=$root/build/bench-$arch
mkdir -p "$work"
image=$work/product_image.bin
if [ ! -f "$image" ] || [ "$(stat -c %s "$image")" -ne $((image_mib * 1024 * 1024)) ]; then
  head -c $((image_mib * 1024 * 1024)) /dev/urandom >"$image"
fi

echo "== building ($arch, product image $image_mib MiB)" >&2
cmake -S . -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" \
  -DCMAKE_BUILD_TYPE=MinSizeRel -DMORVALEN_PRODUCT_IMAGE="$image" >/dev/null
cmake --build "$work/build" -j2 --target install_probe setup >&2
if [ "$arch" != i686 ]; then
  # The shipping build's stub size; it need not run, so the stand-ins do.
  cmake -S . -B "$root/build/bench-i686-stub" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
  cmake --build "$root/build/bench-i686-stub" -j2 --target setup >&2
fi

display=
for n in $(seq 120 160); do
  if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then display=$n; break; fi
done
[ -n "$display" ] || { echo "no free display" >&2; exit 1; }
Xvfb :$display -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=:$display WINEPREFIX=$work/prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
cleanup() {
  wineserver -k 2>/dev/null || true
  kill $xvfb 2>/dev/null || true
}
trap cleanup EXIT
if [ ! -d "$WINEPREFIX" ]; then
  $wine wineboot -i >/dev/null 2>&1
  $wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  $wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1
fi
wineserver -w

results=$work/results.jsonl
: >"$results"
for run in $(seq 1 "$runs"); do
  target=$WINEPREFIX/drive_c/bench
  rm -rf "$target" && mkdir -p "$target"
  $wine "$work/build/install_probe.exe" bench 'C:\bench' "Z:${image//\//\\}" | tr -d '\r' | tee -a "$results" >&2
  cmp -s "$image" "$target/Morvalen.exe" || { echo "run $run: installed image differs" >&2; exit 1; }
done

stub_dirs="$work/build"
[ "$arch" = i686 ] || stub_dirs="$root/build/bench-i686-stub $stub_dirs"
/usr/bin/python3 - "$results" "$image" $stub_dirs <<'PY'
import json, os, statistics, sys
results, image, *stub_dirs = sys.argv[1:]
runs = [json.loads(line) for line in open(results) if line.strip()]
size = os.path.getsize(image)
median = statistics.median
beyond = [r["run_seconds"] - r["slept_seconds"] for r in runs]
copy_file = [min(r["copy_file_seconds"]) for r in runs]
read_write = [min(r["read_write_seconds"]) for r in runs]
print(f"image: {size / 2**20:.0f} MiB; {len(runs)} runs; medians; each plain copy the faster of two")
print(f"RunInstallation beyond its sleeps: {median(beyond):.3f} s (sleeps: {runs[0]['sleeps']} x 128 ms; "
      f"of it the wait for the window: {median(r['window_wait_seconds'] for r in runs):.3f} s)")
print(f"plain CopyFileA:                   {median(copy_file):.3f} s; "
      f"ratio {median(b / c for b, c in zip(beyond, copy_file)):.2f} (target <= 1.25)")
print(f"plain ReadFile + WriteFile:        {median(read_write):.3f} s; "
      f"ratio {median(b / c for b, c in zip(beyond, read_write)):.2f}")
peak_ws = max(r["peak_working_set"] for r in runs)
peak_pf = max(r["peak_pagefile_usage"] for r in runs)
print(f"peak working set:    {peak_ws / 2**20:.1f} MiB = {peak_ws / size:.2f} x image (target <= 2.2)")
print(f"peak pagefile usage: {peak_pf / 2**20:.1f} MiB = {peak_pf / size:.2f} x image")
for build in stub_dirs:
    # The carried files as the build's resource script names them.
    carried = [line.split('"')[1] for line in open(os.path.join(build, "carried_files.rc")) if '"' in line]
    setup = os.path.getsize(os.path.join(build, "setup.exe"))
    stub = setup - sum(os.path.getsize(f) for f in carried)
    print(f"setup.exe beyond its carried files ({os.path.relpath(build)}): {stub / 1024:.1f} KB "
          f"(setup.exe {setup} bytes; target <= 150 KB)")
PY
