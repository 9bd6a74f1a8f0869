#!/bin/sh
# Install the Debian packages named that are missing, when run as root;
# otherwise stop with one line naming them.
missing=""
for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" != 0 ]; then
    echo "missing packages, install them with: sudo apt-get install$missing" >&2
    exit 1
fi
echo "installing:$missing"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q >/dev/null || exit 1
apt-get install -y -q --no-install-recommends $missing >/dev/null || exit 1
