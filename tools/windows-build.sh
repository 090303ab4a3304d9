#!/usr/bin/env bash
# Builds the Windows executables and prints the folder whose build Wine on this host
# can run: the shipping i686 build, or, where the host cannot execute 32-bit code,
# the x86_64 build of the same sources (built too).
set -euo pipefail
cd "$(dirname "$0")/.."

build() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" >&2
}

build win32
if /lib/ld-linux.so.2 --help >/dev/null 2>&1; then
  echo "$PWD/build/win32"
else
  echo "note: this host cannot execute 32-bit programs; Wine runs the x86_64 build of the same sources" >&2
  build win64
  echo "$PWD/build/win64"
fi
