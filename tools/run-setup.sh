#!/usr/bin/env bash
# Builds everything and runs setup.exe under Wine, in a Wine prefix of its own
# (build/run-setup/prefix, made anew on every run).
#   DISPLAY set:    the setup opens on your screen and you go through it yourself.
#   DISPLAY unset:  it runs on a private Xvfb display, where the UI driver accepts the
#                   licence, keeps the proposed folder and both options, and saves a
#                   screenshot of every window in build/e2e-artifacts/run-setup/.
# Afterwards it prints what got installed: the files with their sizes, the uninstall
# entry's values, the shortcuts with their targets, and where the screenshots are.
#
# Option: --russian  a Russian user locale (default: English, where the setup first asks
#                    whether Russian can be read; the driver answers Yes)
set -euo pipefail
cd "$(dirname "$0")/.."

locale=en
for option in "$@"; do
  case $option in
    --russian) locale=ru ;;
    -h | --help) sed -n '2,12p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "run-setup: unknown option $option (try --help)" >&2; exit 2 ;;
  esac
done

bash tools/install-deps.sh
# The shipping i686 build, or where this host cannot run 32-bit code, the x86_64 build too.
build=$(bash tools/windows-build.sh)
exec /usr/bin/python3 tools/run_setup.py --build "$build" --work "$PWD/build/run-setup" --locale "$locale"
