#!/bin/bash
# Installs the build into a scratch prefix and checks what a desktop needs:
# launcher, icon, file type and software-centre entry, each accepted by its
# validator when that is installed, the manual page and the completions;
# then builds the Debian package, looks inside it and has lintian check it.
# Usage: install_test.sh BUILD_DIR
set -u
build=${1:?usage: install_test.sh BUILD_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() {
    echo "FAIL: $*" >&2
    status=1
}
id=io.github.segmark.Segmark
cmake --install "$build" --prefix "$work/usr" >/dev/null || fail "cmake --install"
for f in bin/segmark share/applications/$id.desktop share/icons/hicolor/scalable/apps/$id.svg \
    share/mime/packages/$id.xml share/metainfo/$id.metainfo.xml share/man/man1/segmark.1.gz \
    share/bash-completion/completions/segmark share/zsh/vendor-completions/_segmark \
    share/fish/vendor_completions.d/segmark.fish share/doc/segmark/copyright \
    share/doc/segmark/changelog.gz; do
    [ -e "$work/usr/$f" ] || fail "missing $f"
done
"$work/usr/bin/segmark" --version | grep -qx 'Segmark 1.7.0' || fail "the installed segmark --version"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$work/usr/share/applications/$id.desktop" || fail "desktop-file-validate"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net --explain "$work/usr/share/metainfo/$id.metainfo.xml" >"$work/as.txt" 2>&1 ||
        { cat "$work/as.txt"; fail "appstreamcli validate"; }
fi
if command -v xmllint >/dev/null; then
    xmllint --noout "$work/usr/share/mime/packages/$id.xml" || fail "mime xml"
fi
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" >/dev/null 2>&1) || fail "cpack -G DEB"
deb=$(ls "$work"/segmark_*.deb 2>/dev/null | head -n 1)
if [ -n "$deb" ]; then
    dpkg-deb -c "$deb" >"$work/contents.txt"
    dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "the package does not depend on Qt"
    dpkg-deb -f "$deb" Depends | grep -q libc6 || fail "the package does not depend on the C library"
    dpkg-deb -f "$deb" Recommends | grep -qw qt6-wayland || fail "the package does not recommend qt6-wayland"
    for f in usr/bin/segmark usr/share/man/man1/segmark.1.gz \
        usr/share/bash-completion/completions/segmark usr/share/doc/segmark/copyright; do
        grep -q "\./$f\$" "$work/contents.txt" || fail "the package lacks $f"
    done
    if command -v lintian >/dev/null; then
        lintian --fail-on error,warning "$deb" >"$work/lintian.txt" 2>&1 ||
            { cat "$work/lintian.txt"; fail "lintian"; }
    else
        fail "lintian is not installed (scripts/setup-deps.sh installs it)"
    fi
else
    fail "no .deb made"
fi
exit $status
