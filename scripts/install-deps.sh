#!/usr/bin/env bash
# Installs the Debian packages that building and testing ebank needs, when any
# of them is missing. Safe to run again: it does nothing once all are present.
# Usage: scripts/install-deps.sh [fuzz] [coverage] [format] [docs] [package]   (extra groups)
# A caller that has installed everything already (.ci/run) exports
# EBANK_DEPS_INSTALLED=1, and the other scripts then skip the check.
set -euo pipefail
[ "${EBANK_DEPS_INSTALLED:-}" = 1 ] && exit 0

packages=(
  cmake ninja-build g++ pkg-config binutils
  libxml2-dev libxslt1-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libssl-dev
  libcli11-dev
  unixodbc unixodbc-dev libsqliteodbc odbc-postgresql postgresql
)
for group in "$@"; do
  case "$group" in
    fuzz) packages+=(clang libclang-rt-14-dev time) ;;
    coverage) packages+=(gcovr) ;;
    format) packages+=(clang-format-14) ;;
    docs) packages+=(doxygen) ;;
    package) packages+=(lintian mmdebstrap) ;;
    *) echo "install-deps.sh: unknown package group '$group'" >&2; exit 2 ;;
  esac
done

installed="$(dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' "${packages[@]}" 2>/dev/null |
  awk '$1 == "ii" { print $2 }' || true)"
missing=()
for package in "${packages[@]}"; do
  grep -qx -- "$package" <<<"$installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
run_as_root=()
[ "$(id -u)" -ne 0 ] && run_as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${run_as_root[@]}" apt-get update -q
"${run_as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
