#!/usr/bin/env bash
# spr2pcx: for each sample picture, the picture it makes of the batch
# conversion's sprite shows exactly the sample's top-left 2a x 6a pixels
# when ImageMagick decodes it, and converting that picture again gives the
# same sprite file byte for byte. Damaged sprite files are refused with a
# message, status 1 and no file written.
set -euo pipefail
tmp=$(mktemp -d /tmp/spr2pcx-test.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# 88 is side 24 with the size byte's two high bits set: they come back too.
cp "$SOURCE_DIR/samples/24slime.pcx" "$tmp/88slime.pcx"
for sample in "$SOURCE_DIR"/samples/*.pcx "$tmp/88slime.pcx"; do
    name=$(basename "$sample" .pcx)
    number=${name%%[!0-9]*}
    a=$((number & 63))
    "$PCX2SPR" "$sample" "$tmp/$name.spr"
    "$SPR2PCX" "$tmp/$name.spr" "$tmp/${number}again.pcx"
    [ "$(identify -format '%w x %h' "$tmp/${number}again.pcx")" = "$((2 * a)) x $((6 * a))" ] ||
        fail "$name: $(identify "$tmp/${number}again.pcx")"
    convert "$sample" -crop "$((2 * a))x$((6 * a))+0+0" +repage "$tmp/want.png"
    convert "$tmp/${number}again.pcx" "$tmp/got.png"
    differ=$(compare -metric AE "$tmp/want.png" "$tmp/got.png" null: 2>&1) || true
    [ "$differ" = 0 ] || fail "$name: $differ pixels differ from the sample"
    "$PCX2SPR" "$tmp/${number}again.pcx" "$tmp/$name.again.spr"
    cmp "$tmp/$name.spr" "$tmp/$name.again.spr" || fail "$name: the sprite does not come back"
    echo "$name: picture matches the sample, sprite comes back byte for byte"
done

# refused NAME MESSAGE: spr2pcx of $tmp/NAME ends with 1, says MESSAGE and
# writes nothing.
refused() {
    local status=0
    "$SPR2PCX" "$tmp/$1" "$tmp/out.pcx" 2> "$tmp/err" || status=$?
    [ "$status" -eq 1 ] || fail "$1: status $status"
    grep -qF "$2" "$tmp/err" || fail "$1: said $(cat "$tmp/err")"
    [ ! -e "$tmp/out.pcx" ] || fail "$1: a picture was written"
    echo "$1 refused: $(cat "$tmp/err")"
}
good="$tmp/16knight.spr"
printf '\x10' > "$tmp/one-byte"
printf '\x00\x00' > "$tmp/side-0"
{ printf '\x10\xf1'; head -c 3000 /dev/zero; } > "$tmp/palette-241"
head -c 1000 "$good" > "$tmp/cut-short"
{ cat "$good"; printf '\x00'; } > "$tmp/one-byte-more"
refused one-byte "is too short for a sprite: 1 byte"
refused side-0 "is a sprite of side 0"
refused palette-241 "has a palette of 241 entries, more than 240"
refused cut-short "has 1000 bytes; a sprite of side 16 with 14 palette entries has 3116"
refused one-byte-more "has 3117 bytes"
refused missing "cannot be opened"
