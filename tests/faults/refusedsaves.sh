#!/bin/sh
# Runs tst_refusedsaves where the system really refuses a save, which permission bits alone never
# do for root:
#   nobody         as the unprivileged user nobody (or as the caller, when not root), on
#                  read-only files and read-only folders;
#   readonlymount  as root, in a private mount namespace, on a tmpfs remounted read-only.
# Exits 77, which CTest counts as a skip, after printing why, where this machine allows neither.
# Usage: refusedsaves.sh nobody|readonlymount TST_REFUSEDSAVES_BINARY
set -u
mode=$1
binary=$2

skip() {
    echo "SKIP: $*"
    exit 77
}

# World-readable and under /tmp, so that nobody can use it; removed whatever happens.
scratch=$(mktemp -d /tmp/tapoli-refused.XXXXXX) || skip "cannot make a scratch folder under /tmp"
trap 'rm -rf "$scratch"' EXIT
chmod 755 "$scratch"
mkdir -m 700 "$scratch/run"
export HOME="$scratch" TMPDIR="$scratch" XDG_RUNTIME_DIR="$scratch/run"

case $mode in
nobody)
    # Whoever is not root already meets the permission bits.
    if [ "$(id -u)" -ne 0 ]; then
        "$binary"
        exit $?
    fi
    command -v setpriv > /dev/null 2>&1 || skip "setpriv (util-linux) is not installed"
    as_nobody="setpriv --reuid=65534 --regid=65534 --clear-groups"
    $as_nobody true 2> /dev/null || skip "setpriv cannot switch to the user nobody here"
    $as_nobody test -x "$binary" \
        || skip "nobody cannot run $binary: a folder above it is closed to other users"
    chown -R 65534:65534 "$scratch"
    $as_nobody "$binary"
    ;;
readonlymount)
    command -v unshare > /dev/null 2>&1 || skip "unshare (util-linux) is not installed"
    mount_point="$scratch/mount"
    mkdir "$mount_point"
    unshare -m sh -c 'mount -t tmpfs -o size=1m tapoli-probe "$1" && mount -o remount,ro "$1"' sh "$mount_point" \
        2> /dev/null || skip "this machine allows no read-only tmpfs in a private mount namespace (unshare -m)"
    # The old files tst_refusedsaves expects there (SaveScenario's names and old bytes), written
    # before the file system turns read-only.
    unshare -m sh -c '
        set -e
        mount -t tmpfs -o size=1m,mode=755 tapoli-readonly "$1"
        printf "ancien texte\r\n" > "$1/doc.txt"
        printf "DejaVu Sans\r\n12;0\r\ntchA=\340\r\n" > "$1/clavier.cltpo"
        printf "[params]\r\nPageIndex=2\r\n" > "$1/tapoli.ini"
        mount -o remount,ro "$1"
        TAPOLI_READONLY_MOUNT="$1" "$2"
    ' sh "$mount_point" "$binary"
    ;;
*)
    echo "usage: $0 nobody|readonlymount TST_REFUSEDSAVES_BINARY" >&2
    exit 2
    ;;
esac
status=$?
exit "$status"
