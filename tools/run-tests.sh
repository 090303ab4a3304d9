#!/usr/bin/env bash
# Every test: the unit tests of the logic (native) and the end-to-end tests of the
# real Windows executables under Wine. Installs what is missing first.
set -uo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh || exit 1

status=0
echo "== unit tests (native)"
cmake --preset native >/dev/null && cmake --build --preset native || exit 1
ctest --preset native --output-on-failure || status=1

echo "== Windows build"
MV_WIN32_BUILD=$(bash tools/windows-build.sh) || exit 1
export MV_WIN32_BUILD

echo "== end-to-end tests (Wine)"
/usr/bin/python3 -m pytest -q -p no:cacheprovider tests/e2e "$@" || status=1

exit $status
