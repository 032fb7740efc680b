#!/bin/sh
# Run by check-debian-packages.sh inside a fresh Debian 12 minbase system,
# with the packages in /tmp/debs and examples/consumer in /tmp/consumer.
# Every command is echoed; the environment is that of a fresh login.
set -eux
export DEBIAN_FRONTEND=noninteractive

apt-get install -y -q /tmp/debs/*.deb
ebank demo

apt-get install -y -q --no-install-recommends g++ cmake make pkg-config
# Below /usr, pkg-config names no include or library directory.
pkg-config --cflags --libs ebank
if pkg-config --cflags --libs ebank | grep -q -e '-I' -e '-L'; then exit 1; fi
for method in find_package pkg_config; do
  use_pkg_config=OFF
  [ "$method" = pkg_config ] && use_pkg_config=ON
  cmake -S /tmp/consumer -B "/tmp/build-$method" -DCONSUMER_USE_PKG_CONFIG="$use_pkg_config" >/dev/null
  cmake --build "/tmp/build-$method"
  "/tmp/build-$method/consumer"
done

apt-get purge -y -q ebank libebank-dev libebank0
left="$(find / -xdev \( -name 'libebank*' -o -name 'ebank.pc' -o -name 'ebank*.cmake' \
         -o -path '*/ebank' \) ! -path '/tmp/*' -print)"
[ -z "$left" ] || { echo "left behind: $left"; exit 1; }
echo "removed without a trace"
