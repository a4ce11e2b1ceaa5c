#!/usr/bin/env bash
# The Debian package as `make package` builds it: its name, the files it
# holds, the dependencies shlibdeps found, no maintainer scripts, the
# machine registry kept as a configuration file, and no lintian errors.
#   debian_package.sh BUILD_DIR VERSION
set -u
build=$1
version=$2
work=$(mktemp -d /tmp/velmora-deb-XXXXXX)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/check.sh"

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    echo "0 passed, 1 failed"
    exit 1
fi
deb=$work/velmora_${version}_$(dpkg --print-architecture).deb
check "package named velmora_<version>_<arch>.deb" test -f "$deb"
dpkg-deb --contents "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/contents"
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
for f in /usr/bin/Pagewisp /usr/bin/vatroreg \
    "/usr/lib/$multiarch/velmora/libVatroOCX.so" "/usr/lib/$multiarch/velmora/registry.ini" \
    "/usr/lib/$multiarch/velmora/velmora-check" \
    /etc/xdg/vatro/registry.ini /usr/share/velmora/velmora.qch \
    /usr/share/applications/org.velmora.Pagewisp.desktop \
    /usr/share/metainfo/org.velmora.Pagewisp.metainfo.xml \
    /usr/share/icons/hicolor/scalable/apps/org.velmora.Pagewisp.svg \
    /usr/share/doc/velmora/copyright /usr/share/man/man1/Pagewisp.1.gz; do
    check "holds $f" grep -qx "$f" "$work/contents"
done
check "nothing on the public library path" \
    bash -c "! grep -q '^/usr/lib/$multiarch/[^/]*\.so' '$work/contents'"

depends=$(dpkg-deb --field "$deb" Depends)
for lib in libc6 libstdc++6 libqt6widgets6 libqt6webenginewidgets6 libqscintilla2-qt6 libx11-6 libgumbo1; do
    check "depends on $lib" grep -q "\b$lib" <<<"$depends"
done
dpkg-deb --control "$deb" "$work/control"
check "no maintainer scripts" \
    bash -c "! ls '$work/control' | grep -qE '^(pre|post)(inst|rm)$'"
check "machine registry is a configuration file" \
    grep -qx /etc/xdg/vatro/registry.ini "$work/control/conffiles"

lintian --no-tag-display-limit "$deb" >"$work/lintian" 2>&1
grep -E '^[EWI]:' "$work/lintian" | sed 's/^/  lintian: /'
check "lintian reports no errors" bash -c "! grep -q '^E:' '$work/lintian'"

summary
