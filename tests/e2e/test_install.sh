#!/usr/bin/env bash
# The layer installed into a scratch prefix: library, headers, pkg-config
# file, programs and the licence are there; the C example builds outside the
# source tree with nothing but cc and pkg-config and runs, and so does a
# program built as C99 and as C++ that prints the version; the Debian package
# holds the same files, the licence as /usr/share/doc/gem/copyright. The
# version in CMakeLists.txt is the one in gem.pc, the header, the library
# and the package.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

prefix="$E2E_TMP/prefix"
cmake --install "$BUILD_DIR" --prefix "$prefix" > "$E2E_TMP/install.log"
installed() { (cd "$1" && find . -type f | sed 's|^\./||' | sort); }
want="bin/mkrsc bin/pcx2spr bin/spr2pcx include/gem/gem.h include/gem/version.h lib/libgem.a
lib/pkgconfig/gem.pc share/doc/gem/copyright"
for f in $want; do
    [ -f "$prefix/$f" ] || e2e_fail "not installed: $f ($(installed "$prefix" | tr '\n' ' '))"
done
cmp "$SOURCE_DIR/LICENSE" "$prefix/share/doc/gem/copyright" || e2e_fail "the copyright file is not LICENSE"

version=$(sed -n 's/^project(gem VERSION \([0-9][0-9.]*\) .*/\1/p' "$SOURCE_DIR/CMakeLists.txt")
[ -n "$version" ] || e2e_fail "no version found in CMakeLists.txt"

mkdir "$E2E_TMP/outside"
cp "$SOURCE_DIR/examples/hello.c" "$E2E_TMP/outside/"
cat > "$E2E_TMP/outside/version.c" <<'EOF'
#include <stdio.h>

#include "gem/gem.h"

int handle = 0;

int main(void)
{
    printf("%s %s %d.%d.%d\n", gem_version(), GEM_VERSION_STRING, GEM_VERSION_MAJOR,
           GEM_VERSION_MINOR, GEM_VERSION_PATCH);
    return 0;
}
EOF
(
    cd "$E2E_TMP/outside" &&
    export PKG_CONFIG_PATH="$prefix/lib/pkgconfig" &&
    cc hello.c $(pkg-config --cflags --libs gem) -o hello &&
    cc -std=c99 -pedantic-errors -Wall -Wextra -Werror version.c $(pkg-config --cflags --libs gem) \
        -o version_c &&
    c++ -x c++ -std=c++17 -pedantic-errors -Wall -Wextra -Werror version.c -x none \
        $(pkg-config --cflags --libs gem) -o version_cxx
) || e2e_fail "hello.c or version.c does not build on the installed layer"
GEM_HELLO="$E2E_TMP/outside/hello" bash "$(dirname "$0")/test_example.sh"
for program in version_c version_cxx; do
    got=$("$E2E_TMP/outside/$program")
    [ "$got" = "$version $version $version" ] || e2e_fail "$program printed '$got', not $version three times"
done
got=$(PKG_CONFIG_PATH="$prefix/lib/pkgconfig" pkg-config --modversion gem)
[ "$got" = "$version" ] || e2e_fail "gem.pc has version $got, not $version"

(cd "$BUILD_DIR" && cpack -G DEB -B "$E2E_TMP/deb" > "$E2E_TMP/cpack.log") ||
    e2e_fail "cpack: $(cat "$E2E_TMP/cpack.log")"
deb=$(ls "$E2E_TMP"/deb/*.deb)
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] ||
    e2e_fail "the package has version $(dpkg-deb -f "$deb" Version), not $version"
mkdir "$E2E_TMP/unpacked"
dpkg-deb -x "$deb" "$E2E_TMP/unpacked"
[ "$(installed "$E2E_TMP/unpacked/usr")" = "$(installed "$prefix")" ] ||
    e2e_fail "the package differs from the install: $(dpkg-deb -c "$deb")"
echo "installed: $(echo $want); hello and version.c (as C99 and C++) built outside the tree" \
    "and ran; version $version throughout; $(basename "$deb") holds the same files"
