#!/usr/bin/env bash
# Builds the Debian packages (package preset, cpack), checks them with lintian
# (no error, no warning) and installs them on a fresh Debian 12 minbase system
# made with mmdebstrap, as a user would: apt-get installs the three packages
# with what they depend on, then `ebank demo` must run, the two ways of
# building examples/consumer must work (find_package and pkg-config, neither
# setting a C++ standard), and removing the packages must leave none of their
# files behind. Needs root and the package mirror; it is not part of the test
# suite (CI runs it only when EBANK_CHECK_PACKAGES=1).
# Usage: scripts/check-debian-packages.sh     (MIRROR=... to use another mirror)
set -euo pipefail
cd "$(dirname "$0")/.."
mirror="${MIRROR:-http://deb.debian.org/debian}"
suite=bookworm

[ "$(id -u)" -eq 0 ] || { echo "check-debian-packages.sh: run as root" >&2; exit 2; }
step() { echo "=== $*"; }

step "mirror $mirror"
probe="$(mktemp)"
trap 'rm -f "$probe"' EXIT
if ! /usr/lib/apt/apt-helper download-file "$mirror/dists/$suite/InRelease" "$probe" >/dev/null; then
  echo "check-debian-packages.sh: cannot reach $mirror; set MIRROR to a reachable one" >&2
  exit 1
fi
# The packages to build and to check with, even where the caller has
# installed the build's own already (EBANK_DEPS_INSTALLED).
EBANK_DEPS_INSTALLED='' scripts/install-deps.sh package

step "building the packages (package preset)"
cmake --preset package >/dev/null
cmake --build --preset package
build=build/package
rm -f "$build"/*.deb
(cd "$build" && cpack >/dev/null)
debs=("$build"/libebank0_*.deb "$build"/libebank-dev_*.deb "$build"/ebank_*.deb)
for deb in "${debs[@]}"; do
  echo "$(basename "$deb"): $(dpkg-deb -f "$deb" Depends)"
done

step "lintian"
lintian --version
lintian --fail-on error,warning "${debs[@]}"
echo "lintian: no error, no warning"

step "no test hooks in the shipped libraries"
tree="$(mktemp -d)"
trap 'rm -f "$probe"; rm -rf "$tree"' EXIT
dpkg-deb -x "$build"/libebank0_*.deb "$tree"
if nm -D --defined-only "$tree"/usr/lib/*/lib*.so.* | grep 'ForTesting'; then
  echo "check-debian-packages.sh: the libraries export test hooks" >&2
  exit 1
fi
echo "none exported"

step "fresh Debian 12 (mmdebstrap minbase): install, ebank demo, consumers, removal"
mmdebstrap --variant=minbase \
  --customize-hook='mkdir -p "$1/tmp/debs"' \
  --customize-hook="copy-in ${debs[*]} /tmp/debs" \
  --customize-hook='copy-in examples/consumer scripts/check-debian-packages-in-chroot.sh /tmp' \
  --customize-hook='chroot "$1" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin sh /tmp/check-debian-packages-in-chroot.sh' \
  "$suite" /dev/null "$mirror"
echo "=== all checks passed"
