#!/usr/bin/env bash
# Proves the README's test command on a fresh Debian 12 machine: builds a
# minbase root with debootstrap (kept as a tarball between runs), puts a clean
# clone of this checkout into it, with the uncommitted changes on top, and runs
# `bash scripts/setup.sh test` inside it with chroot. Prints how long each step
# took. Needs root, debootstrap and the Debian mirror; it is not part of CI.
#
#   scripts/check-fresh-setup.sh [run|test]     (default: test)
#
# OVRA_FRESH_CACHE names the folder of the cached root (default
# ~/.cache/ovra-fresh-root), OVRA_FRESH_MIRROR the Debian mirror.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
mode=${1:-test}
if [ "$mode" = run ]; then
    # There is no display in the root: the workstation runs offscreen, and it
    # passes when, once built, it is still running 15 s after it started.
    inner='export QT_QPA_PLATFORM=offscreen; bash scripts/setup.sh run & pid=$!
        while kill -0 $pid 2>/dev/null && [ "$(readlink /proc/$pid/exe)" != "$PWD/build/bin/ovra" ]; do sleep 1; done
        sleep 15
        if kill -0 $pid 2>/dev/null; then echo "ovra is running"; kill $pid; wait $pid; exit 0; fi
        wait $pid; exit 1'
elif [ "$mode" = test ]; then
    inner="bash scripts/setup.sh test"
else
    echo "usage: $0 [run|test]" >&2
    exit 2
fi
if [ "$(id -u)" -ne 0 ]; then
    echo "$0 needs root (debootstrap and chroot)" >&2
    exit 2
fi
command -v debootstrap >/dev/null || { echo "debootstrap is missing: apt-get install debootstrap" >&2; exit 2; }

cache=${OVRA_FRESH_CACHE:-$HOME/.cache/ovra-fresh-root}
mirror=${OVRA_FRESH_MIRROR:-http://deb.debian.org/debian}
tarball="$cache/bookworm-minbase.tar"
root=$(mktemp -d /var/tmp/ovra-fresh.XXXXXX)

t0=$SECONDS
timings=()
mark() {
    timings+=("$(printf '%-28s %5d s' "$1" $((SECONDS - t0)))")
    t0=$SECONDS
}

mounted=()
cleanup() {
    local m
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        m=${mounted[$i]}
        umount -l "$m" 2>/dev/null || true
    done
    rm -rf --one-file-system "$root"
}
trap cleanup EXIT

mkdir -p "$cache"
if [ ! -f "$tarball" ]; then
    echo "== debootstrap bookworm (minbase) from $mirror"
    staging=$(mktemp -d /var/tmp/ovra-debootstrap.XXXXXX)
    debootstrap --variant=minbase bookworm "$staging" "$mirror"
    cat >"$staging/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb http://deb.debian.org/debian-security bookworm-security main
EOF
    tar -C "$staging" -cf "$tarball.partial" .
    mv "$tarball.partial" "$tarball"
    rm -rf --one-file-system "$staging"
    mark "debootstrap"
fi

echo "== unpacking the fresh root into $root"
tar -C "$root" -xf "$tarball"
mark "unpack root"

echo "== copying the checkout"
git clone -q --no-hardlinks "$here" "$root/root/ovra"
# Uncommitted work goes on top of the clone, so a change is proved before it lands.
(
    cd "$here"
    git diff --binary HEAD >"$root/root/ovra.patch"
    git ls-files -o --exclude-standard -z | tar --null -T - -cf "$root/root/untracked.tar"
)
if [ -s "$root/root/ovra.patch" ]; then
    git -C "$root/root/ovra" apply --binary "$root/root/ovra.patch"
fi
tar -C "$root/root/ovra" -xf "$root/root/untracked.tar"
rm -f "$root/root/ovra.patch" "$root/root/untracked.tar"
mark "copy checkout"

for m in proc sys dev dev/pts; do
    mkdir -p "$root/$m"
    case $m in
    proc) mount -t proc proc "$root/proc" ;;
    sys) mount -t sysfs sys "$root/sys" ;;
    dev) mount --bind /dev "$root/dev" ;;
    dev/pts) mount -t devpts devpts "$root/dev/pts" ;;
    esac
    mounted+=("$root/$m")
done
mkdir -p "$root/dev/shm"
mount -t tmpfs shm "$root/dev/shm"
mounted+=("$root/dev/shm")
cp /etc/resolv.conf "$root/etc/resolv.conf"

echo "== running the README's command in the fresh root: $inner"
status=0
chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 TERM=dumb bash -c "cd /root/ovra && $inner" || status=$?
mark "setup.sh $mode"

echo
echo "Timings:"
printf '  %s\n' "${timings[@]}"
if [ $status -ne 0 ]; then
    echo "FAILED: setup.sh $mode exited with $status"
    exit $status
fi
echo "PASSED: setup.sh $mode on a fresh Debian 12 minbase root"
