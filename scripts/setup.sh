#!/usr/bin/env bash
# setup.sh - installs what a fresh Debian machine lacks to build and test qev; given
# package names, what it lacks of those instead. Usage: scripts/setup.sh [PACKAGE...]
set -euo pipefail
# clang and libclang-rt-14-dev: the fuzz targets (libFuzzer and the sanitizer runtimes);
# tcl-thread: the test of interpreters in several threads; tcl-expect: the test of the
# interactive session on a pseudo-terminal; help2man, man-db, dpkg-dev, file,
# desktop-file-utils and lintian: the manual pages, the Debian package and their checks;
# python3-uncertainties: the comparison of errors in quadrature; procps: kill, with
# which the tests stop a library writer, a session and the window.
pkgs=(cmake g++ make tcl-dev tk-dev tcl8.6-dev tk8.6-dev libgtest-dev libreadline-dev xvfb x11-utils xauth libtk-img clang libclang-rt-14-dev tcl-thread tcl-expect
  help2man man-db dpkg-dev file desktop-file-utils lintian python3-uncertainties procps)
[ $# -eq 0 ] || pkgs=("$@")
missing=()
for p in "${pkgs[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then echo "setup: please install: ${missing[*]}" >&2; exit 1; fi
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi
