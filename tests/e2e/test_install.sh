#!/usr/bin/env bash
# The layer installed into a scratch prefix: library, header, pkg-config
# file, programs and the licence are there; the C example builds outside the
# source tree with nothing but cc and pkg-config and runs; the Debian package
# holds the same files, the licence as /usr/share/doc/gem/copyright.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

prefix="$E2E_TMP/prefix"
cmake --install "$BUILD_DIR" --prefix "$prefix" > "$E2E_TMP/install.log"
installed() { (cd "$1" && find . -type f | sed 's|^\./||' | sort); }
want="bin/mkrsc bin/pcx2spr bin/spr2pcx include/gem/gem.h lib/libgem.a lib/pkgconfig/gem.pc
share/doc/gem/copyright"
for f in $want; do
    [ -f "$prefix/$f" ] || e2e_fail "not installed: $f ($(installed "$prefix" | tr '\n' ' '))"
done
cmp "$SOURCE_DIR/LICENSE" "$prefix/share/doc/gem/copyright" || e2e_fail "the copyright file is not LICENSE"

mkdir "$E2E_TMP/outside"
cp "$SOURCE_DIR/examples/hello.c" "$E2E_TMP/outside/"
(
    cd "$E2E_TMP/outside"
    export PKG_CONFIG_PATH="$prefix/lib/pkgconfig"
    cc hello.c $(pkg-config --cflags --libs gem) -o hello
) || e2e_fail "hello.c does not build on the installed layer"
GEM_HELLO="$E2E_TMP/outside/hello" bash "$(dirname "$0")/test_example.sh"

(cd "$BUILD_DIR" && cpack -G DEB -B "$E2E_TMP/deb" > "$E2E_TMP/cpack.log") ||
    e2e_fail "cpack: $(cat "$E2E_TMP/cpack.log")"
deb=$(ls "$E2E_TMP"/deb/*.deb)
mkdir "$E2E_TMP/unpacked"
dpkg-deb -x "$deb" "$E2E_TMP/unpacked"
[ "$(installed "$E2E_TMP/unpacked/usr")" = "$(installed "$prefix")" ] ||
    e2e_fail "the package differs from the install: $(dpkg-deb -c "$deb")"
echo "installed: $(echo $want); hello built outside the tree and ran; $(basename "$deb") holds the same files"
