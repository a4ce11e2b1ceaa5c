#!/usr/bin/env bash
# The installed program, as a user who never registered anything would run
# it: this build installed into a temporary tree, its desktop files checked
# by their validators, and Pagewisp started from the tree (offscreen) with a
# private home, a relative file name with a space on its command line. A
# run passes when the preview file holds the document and the process has
# the expected copy of libVatroOCX.so mapped.
#   installed_program.sh BUILD_DIR
set -u
build=$1
work=$(mktemp -d /tmp/velmora-installed-XXXXXX)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
source "$(dirname "$0")/check.sh"

tree=$work/tree
if ! DESTDIR=$tree cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1; then
    cat "$work/install.log"
    echo "0 passed, 1 failed"
    exit 1
fi
private=usr/lib/$(ls "$tree/usr/lib")/velmora
share=$tree/usr/share
app=org.velmora.Pagewisp

check "desktop entry passes desktop-file-validate" \
    desktop-file-validate "$share/applications/$app.desktop"
check "metainfo passes appstreamcli validate" \
    appstreamcli validate --no-net --no-color "$share/metainfo/$app.metainfo.xml"
check "desktop entry opens HTML files" \
    grep -qx 'MimeType=text/html;application/xhtml+xml;' "$share/applications/$app.desktop"
check "icon, help and registries installed" test -f "$share/icons/hicolor/scalable/apps/$app.svg" \
    -a -f "$share/velmora/velmora.qch" -a -f "$tree/etc/xdg/vatro/registry.ini" \
    -a -f "$tree/$private/registry.ini"

# The options answer on their own, --help and --version without a display.
usage_status() { # WANTED OPTION...
    local wanted=$1
    shift
    env -i PATH=/usr/bin:/bin QT_QPA_PLATFORM=offscreen "$tree/usr/bin/Pagewisp" "$@" >/dev/null 2>&1
    [ $? -eq "$wanted" ]
}
check "--version prints the version, no display needed" \
    sh -c 'env -i "$0" --version | grep -qE "^Pagewisp \(Velmora\) [0-9]+\.[0-9]+\.[0-9]+$"' "$tree/usr/bin/Pagewisp"
check "--help exits with 0" usage_status 0 --help
check "an unknown option exits with 2" usage_status 2 --no-such-option

docs=$work/my\ pages
mkdir -p "$docs"
marker="installed-run-$$"
printf '<p>%s</p>\r\n' "$marker" >"$docs/a page.htm"

# Starts PROGRAM for the user with home HOME and machine folders CONFIG_DIRS;
# true when the document reached the preview within a minute and the
# process has LIBRARY mapped. The process is ended either way.
opens() { # PROGRAM HOME CONFIG_DIRS LIBRARY
    local program=$1 home=$2 dirs=$3 library=$4 ok=1
    local temp=$home/temp
    mkdir -p "$temp" "$home/run" "$home/.config/Fendro Vatro"
    chmod 0700 "$home/run"
    # Settings of an earlier run: a first run asks the user to confirm them.
    printf '[Velmora]\nAuto-update=False\nPos1=True\nPos2=False\nPos3=False\nPos4=False\nTempDir=%s\n' \
        "$temp" >"$home/.config/Fendro Vatro/Fendro Vatro.ini"
    (cd "$docs" && exec env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_DIRS="$dirs" \
        XDG_RUNTIME_DIR="$home/run" TEMP="$temp" QT_QPA_PLATFORM=offscreen \
        QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu" \
        "$program" "a page.htm") >"$home/log" 2>&1 &
    pid=$!
    for _ in $(seq 120); do
        grep -q "$marker" "$temp/KV731504.htm" 2>/dev/null && { ok=0; break; }
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.5
    done
    if [ $ok -eq 0 ] && ! grep -q " $library\$" "/proc/$pid/maps"; then
        echo "  $library is not the library loaded:"
        grep libVatroOCX "/proc/$pid/maps" | awk '{print "  " $6}' | sort -u
        ok=1
    fi
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    pid=
    [ $ok -eq 0 ] || sed 's/^/  | /' "$home/log" | tail -20
    return $ok
}

# The machine's registry of the tree, with the program's own one out of the way.
mv "$tree/$private/registry.ini" "$work/registry.ini"
check "found through the machine's registry" \
    opens "$tree/usr/bin/Pagewisp" "$work/home1" "$tree/etc/xdg" "$tree/$private/libVatroOCX.so"
mv "$work/registry.ini" "$tree/$private/registry.ini"

# The tree moved elsewhere, no machine registry: the one beside the program.
moved=$work/elsewhere
mv "$tree" "$moved"
check "found through the registry beside the moved program" \
    opens "$moved/usr/bin/Pagewisp" "$work/home2" "$work/nowhere" "$moved/$private/libVatroOCX.so"

# The user registered a copy of their own with the installed tool: it wins.
mine=$work/home3/mine
mkdir -p "$mine"
cp "$moved/$private/libVatroOCX.so" "$mine/"
check "installed vatroreg registers for the user" \
    env -i HOME="$work/home3" "$moved/usr/bin/vatroreg" "$mine/libVatroOCX.so"
check "the user's registration wins over the machine's" \
    opens "$moved/usr/bin/Pagewisp" "$work/home3" "$moved/etc/xdg" "$mine/libVatroOCX.so"

summary
