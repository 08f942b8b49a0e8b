#!/usr/bin/env bash
# Proves the README's commands on a fresh Debian 12 machine: builds a minbase
# root with debootstrap (kept as a tarball between runs), puts a clean clone of
# this checkout into it, with the uncommitted changes on top, and runs the
# command inside it with chroot. Prints how long each step took. Needs root
# and debootstrap; it is not part of CI.
#
#   scripts/check-fresh-setup.sh [run|test|package [DEB]|refresh]   (default: test)
#
#   test      `bash scripts/setup.sh test` in the fresh root
#   run       `bash scripts/setup.sh run`: the workstation, once built, still
#             runs (offscreen) 15 s after it started
#   package   `bash scripts/setup.sh package` builds the Debian package in the
#             fresh root; a second fresh root, without any build tools, then
#             installs it with `apt install ./ovra_*.deb`, scores the
#             reference routines with the installed ovra-eval, starts ovra
#             offscreen, and upgrades, removes and purges the package while an
#             operator's settings and database lie in the home; given a
#             package DEB, installs that one and builds nothing
#   refresh   only make the cached root anew (after a Debian point release)
#
# The Debian archive is the one this machine's apt uses (its sources.list or
# sources.list.d/*.sources); OVRA_FRESH_MIRROR overrides it for the main
# archive. The root's apt sources are written anew on every run, so the cached
# root holds none. OVRA_FRESH_CACHE names the folder of the cached root
# (default ~/.cache/ovra-fresh-root).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
mode=${1:-test}
case "$mode" in
run)
    # There is no display in the root: the workstation runs offscreen, and it
    # passes when, once built, it is still running 15 s after it started.
    inner='export QT_QPA_PLATFORM=offscreen; bash scripts/setup.sh run & pid=$!
        while kill -0 $pid 2>/dev/null && [ "$(readlink /proc/$pid/exe)" != "$PWD/build/bin/ovra" ]; do sleep 1; done
        sleep 15
        if kill -0 $pid 2>/dev/null; then echo "ovra is running"; kill $pid; wait $pid; exit 0; fi
        wait $pid; exit 1'
    ;;
test) inner="bash scripts/setup.sh test" ;;
package) inner="bash scripts/setup.sh package" ;;
refresh) inner="" ;;
*)
    echo "usage: $0 [run|test|package|refresh]" >&2
    exit 2
    ;;
esac
if [ "$(id -u)" -ne 0 ]; then
    echo "$0 needs root (debootstrap and chroot)" >&2
    exit 2
fi
command -v debootstrap >/dev/null || { echo "debootstrap is missing: apt-get install debootstrap" >&2; exit 2; }

cache=${OVRA_FRESH_CACHE:-$HOME/.cache/ovra-fresh-root}
tarball="$cache/bookworm-minbase.tar"

# The Debian 12 archives this machine's apt reads, one "URI SUITE" a line, as
# apt itself parses its sources (one-line and deb822 formats alike).
debian_sources() {
    apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' 'Identifier: Packages' |
        awk '$2 ~ /^bookworm(-updates|-security)?$/ && $3 == "main" { print $1, $2 }' | sort -u
}
mapfile -t sources < <(debian_sources)
mirror=${OVRA_FRESH_MIRROR:-}
if [ -z "$mirror" ]; then
    for s in "${sources[@]}"; do
        if [ "${s#* }" = bookworm ]; then
            mirror=${s%% *}
            break
        fi
    done
fi
if [ -z "$mirror" ]; then
    echo "this machine's apt sources name no Debian 12 (bookworm) archive; set OVRA_FRESH_MIRROR" >&2
    exit 2
fi

# Writes the root's apt sources: the machine's Debian 12 archives, with the
# main archive replaced when OVRA_FRESH_MIRROR names another.
write_sources() {
    local target=$1 s uri suite
    : >"$target/etc/apt/sources.list"
    for s in "${sources[@]}"; do
        uri=${s%% *}
        suite=${s#* }
        if [ -n "${OVRA_FRESH_MIRROR:-}" ] && [ "$suite" != bookworm-security ]; then
            uri=$OVRA_FRESH_MIRROR
        fi
        echo "deb $uri $suite main" >>"$target/etc/apt/sources.list"
    done
    grep -q " bookworm main$" "$target/etc/apt/sources.list" ||
        echo "deb $mirror bookworm main" >>"$target/etc/apt/sources.list"
}

t0=$SECONDS
timings=()
mark() {
    timings+=("$(printf '%-28s %5d s' "$1" $((SECONDS - t0)))")
    t0=$SECONDS
}

roots=()
mounted=()
cleanup() {
    local m r
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        m=${mounted[$i]}
        umount -l "$m" 2>/dev/null || true
    done
    for r in "${roots[@]}"; do
        rm -rf --one-file-system "$r"
    done
}
trap cleanup EXIT

mkdir -p "$cache"
if [ "$mode" = refresh ]; then
    rm -f "$tarball"
fi
if [ ! -f "$tarball" ]; then
    echo "== debootstrap bookworm (minbase) from this machine's Debian archive"
    staging=$(mktemp -d /var/tmp/ovra-debootstrap.XXXXXX)
    chmod 755 "$staging"
    roots+=("$staging")
    debootstrap --variant=minbase bookworm "$staging" "$mirror"
    # The sources are written on every run from this machine's own.
    : >"$staging/etc/apt/sources.list"
    rm -rf "$staging/var/lib/apt/lists"/*
    tar -C "$staging" -cf "$tarball.partial" .
    mv "$tarball.partial" "$tarball"
    rm -rf --one-file-system "$staging"
    mark "debootstrap"
fi
if [ "$mode" = refresh ]; then
    echo "PASSED: the cached root is $tarball"
    exit 0
fi

# Unpacks a fresh root into a new folder, with the machine's Debian sources,
# name resolution and the kernel's file systems; the folder is left in
# new_root_dir (not printed: the mounts must be remembered by this shell).
new_root() {
    local root m
    root=$(mktemp -d /var/tmp/ovra-fresh.XXXXXX)
    new_root_dir=$root
    roots+=("$root")
    tar -C "$root" -xf "$tarball"
    # The root's "/" must be open to its users as any "/" is (the tarball
    # keeps the private mode of the folder debootstrap filled).
    chmod 755 "$root"
    write_sources "$root"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    for m in proc sys dev dev/pts dev/shm; do
        mkdir -p "$root/$m"
        case $m in
        proc) mount -t proc proc "$root/proc" ;;
        sys) mount -t sysfs sys "$root/sys" ;;
        dev) mount --bind /dev "$root/dev" ;;
        dev/pts) mount -t devpts devpts "$root/dev/pts" ;;
        dev/shm) mount -t tmpfs shm "$root/dev/shm" ;;
        esac
        mounted+=("$root/$m")
    done
}

# Runs a command in a root with a clean environment.
in_root() {
    local root=$1
    shift
    chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        LANG=C.UTF-8 TERM=dumb DEBIAN_FRONTEND=noninteractive "$@"
}

# The package on a machine without any build tools: apt installs it with the
# libraries it depends on, the installed ovra-eval scores the reference
# routines as their independent implementation does, ovra starts, and an
# upgrade, a removal and a purge leave the operator's home as it was.
check_installed_package() {
    local debs target deb version reference step
    debs=("$@")
    if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
        echo "expected one package ovra_*_amd64.deb, found: ${debs[*]}" >&2
        return 1
    fi
    deb=$(basename "${debs[0]}")
    version=$(dpkg-deb -f "${debs[0]}" Version)
    echo "== installing $deb in a second fresh root"
    new_root
    target=$new_root_dir
    cp "${debs[0]}" "$target/tmp/$deb"
    # An older package of the same files ("~" sorts before the version):
    # the path dpkg takes when a workstation upgrades.
    in_root "$target" bash -c "cd /tmp && dpkg-deb -R $deb older &&
        sed -i 's/^Version: .*/Version: $version~older/' older/DEBIAN/control &&
        dpkg-deb --root-owner-group -b older ovra_older.deb >/dev/null && rm -rf older"
    cp "$here/scripts/fresh-root-package-steps.sh" "$target/root/steps.sh"
    for step in older upgrade; do
        in_root "$target" bash /root/steps.sh "$deb" "$version" $step || return 1
    done

    # ovra-eval inside the root, on a copy of each data file, with a home of
    # its own: the reference routines' check runs it as its own.
    mkdir -p "$target/tmp/eval"
    cat >"$target/tmp/ovra-eval-in-root" <<EOF
#!/usr/bin/env bash
args=()
for a in "\$@"; do
    case \$a in
    /*.dat) cp "\$a" "$target/tmp/eval/" && args+=("/tmp/eval/\$(basename "\$a")") ;;
    *) args+=("\$a") ;;
    esac
done
exec chroot "$target" /usr/bin/env -i HOME=/tmp/eval PATH=/usr/bin:/bin LANG=C.UTF-8 ovra-eval "\${args[@]}"
EOF
    chmod +x "$target/tmp/ovra-eval-in-root"
    reference=$here/../shared/reference-routines
    if [ -f "$reference/check.py" ]; then
        python3 "$reference/check.py" "$target/tmp/ovra-eval-in-root" || return 1
    else
        echo "no reference routines beside the checkout: scoring a seed data file only"
        cp "$here/fuzz/corpus/datafile/synchronized" "$target/tmp/seed.dat"
        "$target/tmp/ovra-eval-in-root" "$target/tmp/seed.dat" || return 1
    fi

    for step in run remove; do
        in_root "$target" bash /root/steps.sh "$deb" "$version" $step || return 1
    done
}

if [ "$mode" = package ] && [ -n "${2:-}" ]; then
    status=0
    check_installed_package "$(realpath "$2")" || status=$?
    mark "install in a fresh root"
    printf '  %s\n' "${timings[@]}"
    [ $status -eq 0 ] && echo "PASSED: $2 in a fresh Debian 12 minbase root" || echo "FAILED: $2"
    exit $status
fi

echo "== unpacking the fresh root"
new_root
root=$new_root_dir
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

echo "== running the README's command in the fresh root: $inner"
status=0
in_root "$root" bash -c "cd /root/ovra && $inner" || status=$?
mark "setup.sh $mode"

if [ $status -eq 0 ] && [ "$mode" = package ]; then
    check_installed_package "$root/root/ovra/build"/ovra_*_amd64.deb || status=$?
    mark "install in a second root"
fi

echo
echo "Timings:"
printf '  %s\n' "${timings[@]}"
if [ $status -ne 0 ]; then
    echo "FAILED: $mode exited with $status"
    exit $status
fi
echo "PASSED: setup.sh $mode on a fresh Debian 12 minbase root"
