#!/usr/bin/env bash
# Regenerates the tutorial pictures: screenshots of Ovra itself, taken by
# ovra-shots under a virtual display, in English (src/resources/icon/tutorial)
# and German (.../tutorial/de). Run it again whenever the main window or a
# dialog the tutorials show has changed, and look at the pictures before
# committing them: the tutorial texts (src/misc/Tutorials.cpp) describe them.
# Three of them are also the screenshots of the AppStream metadata
# (src/resources/desktop/ovra.metainfo.xml.in), which states their sizes:
# tst_install compares them with the pictures.
#
#   tools/make_tutorial_pictures.sh [BUILD_DIR]
#
# With OVRA_SHOTS=dialogs it writes PNG screenshots of every dialog to
# /tmp/ovra-dialog-shots/<language> instead, for review.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$here/build}
mode=${OVRA_SHOTS:-tutorial}

cmake --build "$build" --target ovra-shots

for language in en de; do
    if [ "$mode" = tutorial ]; then
        out=$here/src/resources/icon/tutorial
        [ "$language" = de ] && out=$out/de
        mkdir -p "$out"
        rm -f "$out"/*.jpg
    else
        out=/tmp/ovra-dialog-shots/$language
        mkdir -p "$out"
    fi
    echo "Taking $mode pictures ($language) into $out"
    # A real X display: the offscreen platform cannot grab open menus.
    env -u QT_QPA_PLATFORM OVRA_FORCE_LANGUAGE=$language \
        xvfb-run -a -s "-screen 0 1600x1000x24" "$build/bin/ovra-shots" "$mode" "$out"
done
