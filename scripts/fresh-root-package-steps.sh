#!/usr/bin/env bash
# Runs inside a fresh Debian 12 root, for scripts/check-fresh-setup.sh package:
# one step of the package's life on a workstation, as root.
#
#   fresh-root-package-steps.sh DEB VERSION older|upgrade|run|remove
#
#   older     apt installs ovra_older.deb (the same files under an older
#             version) with its libraries; an operator account gets settings
#             that name its own database; ovra starts and makes the database
#   upgrade   apt installs DEB over it: the operator's home stays as it was
#   run       the upgraded ovra starts and opens the operator's database
#   remove    dpkg -r, then dpkg -P: the programs go, the home stays
set -euo pipefail
deb=$1
version=$2
step=$3
home=/home/scorer
cd /tmp

# setpriv executes the program in place, so a background job's $! is the
# program itself and `wait` returns only once it has ended.
as_operator() {
    setpriv --reuid=scorer --regid=scorer --init-groups \
        env -i HOME=$home PATH=/usr/bin:/bin LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen "$@"
}

# Every file of the operator's home with its checksum.
snapshot() {
    (cd $home && find . -type f -print0 | sort -z | xargs -0r sha256sum)
}

fail() {
    echo "FAILED: $*"
    exit 1
}

# The workstation comes up offscreen and is still running 15 s later.
start_ovra() {
    setpriv --reuid=scorer --regid=scorer --init-groups \
        env -i HOME=$home PATH=/usr/bin:/bin LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen OVRA_LOG_LEVEL=0 \
        ovra >/tmp/ovra.out 2>&1 &
    local pid=$! waited=0
    while ! grep -qs "Starting OvraDialog" /tmp/ovra.out && [ $waited -lt 60 ]; do
        sleep 1
        waited=$((waited + 1))
    done
    sleep 15
    if ! kill -0 $pid 2>/dev/null || ! grep -q "Starting OvraDialog" /tmp/ovra.out; then
        cat /tmp/ovra.out
        fail "ovra did not start"
    fi
    kill $pid
    wait $pid || true
    echo "ovra $(dpkg-query -W -f='${Version}' ovra) started and ran for 15 s"
}

same_home() {
    diff -u /root/home.before <(snapshot) || fail "$1 changed the operator's home"
    echo "$1 left the operator's home as it was ($(wc -l </root/home.before) files)"
}

case $step in
older)
    apt-get update -qq
    apt install -y -q ./ovra_older.deb
    useradd -m scorer
    as_operator mkdir -p $home/.config/Tesmer $home/competition
    printf '[db]\ndbFile=%s\n' $home/competition/ovra.db | as_operator tee $home/.config/Tesmer/OvraV2.conf >/dev/null
    start_ovra
    head -c 15 $home/competition/ovra.db | grep -q "SQLite format 3" ||
        fail "ovra made no database where the operator's settings say"
    snapshot >/root/home.before
    ;;
upgrade)
    apt install -y -q ./"$deb"
    [ "$(dpkg-query -W -f='${Version}' ovra)" = "$version" ] || fail "ovra $version is not installed"
    same_home "upgrading to $version"
    for program in ovra ovra-eval; do
        [ -x /usr/bin/$program ] || fail "/usr/bin/$program is missing"
        [ -f /usr/share/man/man1/$program.1.gz ] || fail "the manual page of $program is missing"
    done
    ;;
run)
    start_ovra
    grep -q "$home/competition/ovra.db" /tmp/ovra.out || fail "the upgraded ovra did not open the operator's database"
    snapshot >/root/home.before
    ;;
remove)
    dpkg -r ovra
    [ ! -e /usr/bin/ovra ] && [ ! -e /usr/bin/ovra-eval ] || fail "the programs are still there after removal"
    same_home "removing the package"
    dpkg -P ovra
    dpkg-query -W -f='${Status}' ovra 2>/dev/null | grep -q " installed" && fail "ovra is still installed after the purge"
    [ ! -e /usr/share/doc/ovra ] && [ ! -e /usr/share/ovra ] || fail "files of ovra are left after the purge"
    same_home "purging the package"
    ;;
*)
    fail "unknown step $step"
    ;;
esac
