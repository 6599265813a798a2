#!/bin/sh
# Installs the Debian packages that building, testing and running Quillon need (dpkg-dev
# and file for `make package`: CPack's dpkg-shlibdeps; man-db for the manual page test;
# wordnet-base for `make data`; libxml2-utils for xmllint, the real XML parser the output
# format tests read XML with; Debian's Python with pybind11, pytest and Dask for the
# Python module and its tests),
# and only those that are missing, so a second call costs a dpkg query and nothing more.
# Uses apt-get as root, or through sudo for a normal user.
set -eu

packages="build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev libpcre2-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev fonts-vlgothic
  clang libclang-rt-14-dev
  dpkg-dev file man-db
  wordnet-base libxml2-utils
  python3-dev python3-pybind11 pybind11-dev python3-pytest python3-dask python3-distributed"

missing=""
for p in $packages; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing="$missing $p"
  fi
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then
  sudo=""
elif command -v sudo >/dev/null 2>&1; then
  sudo="sudo"
else
  echo "setup.sh: these packages are missing and neither root nor sudo is available:$missing" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q || true
# shellcheck disable=SC2086
$sudo apt-get install -y -q --no-install-recommends $missing
