#!/bin/sh
# Builds the Debian package, unpacks it into a scratch root and checks it as a user's machine would see it:
# the files a desktop and a distribution need, valid metadata, the declared dependencies, lintian's verdict,
# one version in the changelog, the package and the program, French --help and --version that need no
# display, manual pages that render, and the packaged binary mapping its main window in a private X server.
# Usage: package.sh BUILD_FOLDER ARTEFACT_FOLDER
set -u
build=$1
artefacts=$2
mkdir -p "$artefacts"
. "$(dirname "$0")/common.sh"
e2e_name=package

# Second pass, inside a private session: start the packaged binary and wait for its window.
if [ -n "${TAPOLI_E2E_INNER:-}" ]; then
    enter_private_session
    root=$TAPOLI_E2E_ROOT
    export XDG_DATA_DIRS="$root/usr/share:/usr/local/share:/usr/share"
    log="$artefacts/package.log"

    step "start the packaged tapoli"
    "$root/usr/bin/tapoli" > "$log" 2>&1 &
    pid=$!
    cleanup() { running && kill "$pid"; wait "$pid" 2>/dev/null; }
    trap cleanup EXIT
    wait_for_window 'Tapoli v4.2 -- Pas de fichier' "$log"
    wait_for_first_paint

    step "screenshot of the packaged tapoli"
    import -window root "$artefacts/package.png" || fail "no screenshot"
    running || fail "the packaged tapoli died after mapping its window"
    echo "screenshot: $artefacts/package.png"
    exit 0
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

step "build the package"
# The package is made away from the build folder, so that a `make package` result there is left alone.
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/cpack" > "$artefacts/cpack.log" 2>&1 \
    || { log="$artefacts/cpack.log"; fail "cpack failed"; }
deb=$(ls "$scratch"/cpack/tapoli_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "cpack made no tapoli_*.deb"
echo "package: $(basename "$deb")"
cp "$deb" "$artefacts/"

step "package metadata"
# Package metadata: dpkg-shlibdeps must have found the Qt libraries, and the run-time needs must be declared.
depends=$(dpkg-deb -f "$deb" Depends) || fail "no Depends field"
echo "Depends: $depends"
for needed in libqt6core6 libqt6gui6 libqt6widgets6 libx11-6 libxtst6 qt6-qpa-plugins qt6-translations-l10n \
              fonts-liberation2; do
    case ", $depends," in
        *", $needed "* | *", $needed,"*) ;;
        *) fail "Depends lacks $needed" ;;
    esac
done
[ "$(dpkg-deb -f "$deb" Package)" = tapoli ] || fail "the package is not named tapoli"
[ "$(dpkg-deb -f "$deb" Section)" = utils ] || fail "the package is not in section utils"
case "$(dpkg-deb -f "$deb" Recommends)" in
    *qt6-wayland*) ;;
    *) fail "the package does not recommend qt6-wayland" ;;
esac

step "lintian"
if command -v lintian >/dev/null 2>&1; then
    # Informational tags may stay (the README says which and why); an error or a warning may not.
    lintian --fail-on error,warning "$deb" > "$artefacts/lintian.log" 2>&1 \
        || { cat "$artefacts/lintian.log"; fail "lintian reports an error or a warning"; }
    grep -v '^running with root' "$artefacts/lintian.log"
else
    echo "lintian not installed: package not checked by lintian"
fi

step "files of the unpacked package"
root="$scratch/root"
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x failed"

desktop="$root/usr/share/applications/org.example.tapoli.desktop"
metainfo="$root/usr/share/metainfo/org.example.tapoli.metainfo.xml"
for file in "$root/usr/bin/tapoli" "$root/usr/lib/tapoli/modules/tapoli-wayland-keys.so" "$desktop" "$metainfo" \
            "$root/usr/share/icons/hicolor/scalable/apps/tapoli.svg" \
            "$root/usr/share/doc/tapoli/html/index.html" "$root/usr/share/doc/tapoli/copyright" \
            "$root/usr/share/doc/tapoli/changelog.Debian.gz" "$root/usr/share/man/man1/tapoli.1.gz" \
            "$root/usr/share/man/fr/man1/tapoli.1.gz"; do
    [ -f "$file" ] || fail "the package lacks ${file#"$root"/}"
done
[ -x "$root/usr/bin/tapoli" ] || fail "usr/bin/tapoli is not executable"
grep -qx 'Icon=tapoli' "$desktop" || fail "the desktop file does not name the tapoli icon"
grep -qx 'Exec=tapoli %f' "$desktop" || fail "the desktop file does not start tapoli"
grep -q '<launchable type="desktop-id">org.example.tapoli.desktop</launchable>' "$metainfo" \
    || fail "the metainfo does not launch the installed desktop file"

step "desktop metadata"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects the metainfo"
appstreamcli validate-tree --no-net "$root" || fail "appstreamcli rejects the installed tree"
if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop file"
else
    echo "desktop-file-validate not installed: desktop file not validated"
fi

step "help and version without a display"
# Help and version must answer without a display: from a terminal, over ssh, in a packaging script.
version=$(unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM; "$root/usr/bin/tapoli" --version) \
    || fail "tapoli --version did not exit 0"
step "one version: the changelog's, the package's, the program's"
# The build takes its version from the changelog; all three must say the same.
changelog_version=$(gzip -dc "$root/usr/share/doc/tapoli/changelog.Debian.gz" | sed -n '1s/^tapoli (\([^)]*\)).*/\1/p')
[ -n "$changelog_version" ] || fail "the packaged changelog does not begin with tapoli (VERSION)"
[ "$(dpkg-deb -f "$deb" Version)" = "$changelog_version" ] \
    || fail "the package is version $(dpkg-deb -f "$deb" Version), the changelog $changelog_version"
[ "$version" = "tapoli ${changelog_version%-*}" ] || fail "tapoli --version printed '$version', not ${changelog_version%-*}"

step "help without a display"
help=$(unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM; "$root/usr/bin/tapoli" --help) \
    || fail "tapoli --help did not exit 0"
for line in 'Usage : tapoli [options] [document]' \
            '  -h, --help     Affiche cette aide.' \
            '  -v, --version  Affiche la version.'; do
    printf '%s\n' "$help" | grep -qxF -- "$line" || { echo "$help"; fail "tapoli --help lacks '$line'"; }
done
echo "tapoli --version and --help answer in French"

step "manual pages"
for page in man1/tapoli.1.gz fr/man1/tapoli.1.gz; do
    LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$root/usr/share/man/$page" > /dev/null \
        2> "$artefacts/man-warnings.log" || fail "man cannot render $page"
    [ ! -s "$artefacts/man-warnings.log" ] || { cat "$artefacts/man-warnings.log"; fail "$page renders with warnings"; }
done
french=$(MANPATH="$root/usr/share/man" man -L fr -w tapoli 2>/dev/null)
[ "$french" = "$root/usr/share/man/fr/man1/tapoli.1.gz" ] || fail "man in French finds '$french'"

step "the packaged tapoli in a private session"
TAPOLI_E2E_ROOT="$root" run_in_private_session 1280x800 "$0" "$build" "$artefacts" || exit 1
echo "PASS"
