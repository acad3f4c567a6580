#!/usr/bin/env bash
# Each program's --version prints its name and the version written in the
# project's CMakeLists.txt, with status 0 and nothing on standard error; an
# option it does not know is still a usage error (status 2).
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }
tmp=$(mktemp -d /tmp/version-test.XXXXXX)
trap 'rm -rf "$tmp"' EXIT

version=$(sed -n 's/^project(gem VERSION \([0-9][0-9.]*\) .*/\1/p' "$SOURCE_DIR/CMakeLists.txt")
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "no version found in CMakeLists.txt: '$version'"

for program in pcx2spr:"$PCX2SPR" spr2pcx:"$SPR2PCX" mkrsc:"$MKRSC"; do
    name=${program%%:*} path=${program#*:}
    status=0
    "$path" --version > "$tmp/out" 2> "$tmp/err" || status=$?
    [ $status -eq 0 ] || fail "$name --version: status $status"
    [ "$(cat "$tmp/out")" = "$name $version" ] || fail "$name --version printed '$(cat "$tmp/out")'"
    [ ! -s "$tmp/err" ] || fail "$name --version wrote to standard error: $(cat "$tmp/err")"

    status=0
    "$path" --versions > "$tmp/out" 2> "$tmp/err" || status=$?
    [ $status -eq 2 ] && grep -q '^usage: ' "$tmp/err" ||
        fail "$name --versions: status $status, '$(cat "$tmp/err")'"
    echo "$name --version: $name $version"
done
