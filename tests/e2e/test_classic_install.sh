#!/usr/bin/env bash
# The classic profile installed into a scratch prefix: its library, its
# header and the classic header names, and gem-classic.pc beside gem.pc.
# memo.c, the classic-style example, builds outside the tree with nothing
# but cc and `pkg-config gem-classic` (as C and, with a warning-free header,
# as C++ for a program that only includes the names), and the built program
# passes memo's end-to-end test.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

prefix="$E2E_TMP/prefix"
cmake --install "$BUILD_DIR" --prefix "$prefix" > "$E2E_TMP/install.log"
want="lib/libgem-classic.a lib/pkgconfig/gem-classic.pc include/gem/classic/classic.h"
for name in gemdefs obdefs osbind aesbind vdibind gembind portab gem; do
    want+=" include/gem-classic/$name.h"
done
for f in $want; do
    [ -f "$prefix/$f" ] || e2e_fail "not installed: $f"
done

mkdir "$E2E_TMP/outside"
cp "$SOURCE_DIR/examples/classic/memo.c" "$E2E_TMP/outside/"
cat > "$E2E_TMP/outside/names.cpp" <<'CPP'
#include <gem.h>
#include <osbind.h>

int main()
{
    OBJECT tree[1] = {{-1, -1, -1, G_BOX, LASTOB, NORMAL, 0x00021100L, 0, 0, 10, 10}};
    short s = 0;
    int i = 0;
    objc_offset(tree, ROOT, &s, &i);
    return tree[0].ob_spec.obspec.framesize == 2 && s == 0 && i == 0 ? 0 : 1;
}
CPP
(
    cd "$E2E_TMP/outside" &&
    export PKG_CONFIG_PATH="$prefix/lib/pkgconfig" &&
    cc -Wall memo.c $(pkg-config --cflags --libs gem-classic) -o memo &&
    c++ -std=c++17 -Wall -Wextra -Werror names.cpp $(pkg-config --cflags --libs gem-classic) -o names
) || e2e_fail "memo.c or names.cpp does not build with pkg-config gem-classic"
"$E2E_TMP/outside/names" || e2e_fail "names.cpp: the later header's OBSPEC or objc_offset is wrong"
MEMO="$E2E_TMP/outside/memo" bash "$(dirname "$0")/test_classic_memo.sh"
echo "installed: $want; memo.c and a C++ program built outside the tree on gem-classic"
