#!/usr/bin/env bash
# Makes the Debian package from a built tree and checks it as Debian's tools
# do: lintian finds no error, the AppStream metadata and the desktop entry
# validate, and the package has no maintainer scripts (nothing of it runs at
# install or removal, so nothing can touch an operator's home).
#
#   scripts/check-package.sh [BUILD_DIR]      (default: build)
#
# The package is made from what BUILD_DIR has built; it compiles nothing new.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)

rm -f "$build"/ovra_*.deb
cmake --build "$build" --target package
debs=("$build"/ovra_*_amd64.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    echo "FAILED: expected one package ovra_*_amd64.deb in $build" >&2
    exit 1
fi
deb=${debs[0]}
echo "== $(basename "$deb")"
dpkg-deb --field "$deb" Package Version Installed-Size Depends Recommends

failed=0
fail() {
    echo "FAILED: $*"
    failed=1
}

if dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -E '(pre|post)(inst|rm)$'; then
    fail "the package has maintainer scripts"
fi

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"

if command -v lintian >/dev/null; then
    echo "== lintian"
    lintian --fail-on error --display-level '>=warning' "$deb" || fail "lintian found errors"
else
    echo "lintian is not installed: skipped"
fi
if command -v appstreamcli >/dev/null; then
    echo "== appstreamcli validate"
    # Ovra has no web domain of its own to name its component after in
    # reverse order; a made-up one would claim someone else's name.
    appstreamcli validate --no-net --override=cid-desktopapp-is-not-rdns=info \
        "$unpacked"/usr/share/metainfo/*.metainfo.xml || fail "the AppStream metadata is not valid"
else
    echo "appstreamcli is not installed: skipped"
fi
if command -v desktop-file-validate >/dev/null; then
    echo "== desktop-file-validate"
    desktop-file-validate "$unpacked"/usr/share/applications/*.desktop && echo "the desktop entry is valid" ||
        fail "the desktop entry is not valid"
else
    echo "desktop-file-validate is not installed: skipped"
fi

if [ $failed -ne 0 ]; then
    exit 1
fi
echo "PASSED: $(basename "$deb") checked"
