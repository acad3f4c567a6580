// mkrsc: the resource compiler. A text description of object trees becomes a
// stored resource image (the layout of gem/resource/stored.h that rsrc_load
// reads), and an image becomes a description again.
//
// The description holds one statement a line; `#` starts a comment.
//
//   tree MAIN {                          a tree; its one root object inside
//       box ROOT at 0,0 size 200,80 framed colour 0x11 fill 0 {
//           string TITLE "Hello" at 8,4 size 40,8
//           edtext AGE "" template "Age: __" valid '9' at 8,20 size 56,8
//           string OK "OK" at 8,60 size 48,12 default exit framed
//       }
//   }
//
// An object line is its type (an OT_* name in lower case, or a number), an
// optional symbolic name, an optional quoted text, then attributes in any
// order: flag names, `at X,Y`, `size W,H`, `colour N`, `font N`, `border N`,
// `fill N`, `spec N` (inline value), `char 'c'` (a boxchar's character),
// `template "..."`, `valid 'c'`, `buflen N`. Braces at the end of a line
// hold the object's children. OF_LASTOB and the links come from the nesting.
//
// The fields after ob_height:
//   ob_xflags  `selectable`, `inline`, `editable`, `rbutton`, `touchexit`,
//              `fl3dind`, `fl3dbak`, `fl3dact`; `xflags N` ORs in other bits
//   ob_xstate  `crossed`, `outlined`, `shadowed`, `whitebak`, `draw3d`;
//              `xstate N` ORs in other bits (selected, checked and disabled
//              are the flags of those names)
//   ob_xtype `xtype N`, ob_thick `thick N` (-128 to 127), ob_just
//   `just left|right|centre` (or a number), ob_look `hollow`, `transparent`
//   and `look N` (ORs in bits).
// The record types: `text`, `boxtext` and `fboxtext` take a formatted text
// (a text and `template`, as ftext; only fboxtext shows its template),
// `button` a quoted text, `userdef` `parm N`. An `image` takes `ink N`
// (bi_color) and `origin X,Y` (bi_x, bi_y), an `icon` a quoted caption,
// `letter 'c'`, `ink N` and `paper N` (data and mask colour, 0 to 15),
// `letterpos X,Y`, `iconpos X,Y` and `textbox X,Y,W,H`. Their pictures are
// rows on the lines after the object's line, one quoted row a line, '#' a
// set pixel and '.' a clear one: `bits "#..#"` for an image (its size is
// the rows'), `mask "..."` and `data "..."` for an icon (the same size).
// A record type's code written as a number, or any type with `inline`,
// holds an inline `spec` instead: the plain box those codes were before.
// A description that uses any of this builds an image with the extension
// (gem/resource/stored.h) at the end of its data block; one that uses
// none of it builds the image it always did.
//
// The strings follow one another in the image; a formatted text's text
// takes its whole buffer (`buflen`, by default room for the template's
// placeholders), since the layer edits it in place.
//
// Layout annotations, written by `dump` only when an image needs them: a
// data offset after a text (`"OK"@120`), `record N` (the index of a
// formatted-text record), `layout tedinfo N object N trindex N size N`, and
// for images whose links do not follow a nesting, an `objects { }` block of
// objects given with `links NEXT,HEAD,TAIL` and literal flags, indexed by
// `tree NAME at INDEX` lines.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "gem/resource/stored.h"

namespace mkrsc {

// A refusal: the line of the description it concerns (0: none) and what is
// wrong.
class Error : public std::runtime_error {
public:
    Error(int line, const std::string &what) : std::runtime_error(what), line_(line) {}
    int line() const { return line_; }

private:
    int line_;
};

// A text stored in the image's string area, with its data offset when the
// description fixes one (-1: laid out in order of appearance).
struct Text {
    std::string chars;
    long at = -1;
};

struct Object {
    int line = 0;
    std::string name;
    // The stored fields; ob_spec is the inline value of types that hold
    // one (the others take it from the texts below). Links are computed for
    // nested trees and given for objects of an `objects` block.
    OBJECT ob = {-1, -1, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    Text text;   // strings: the string; formatted texts: te_ptext; icons: the caption
    Text tmplt;  // formatted texts
    short valid = 0;
    long buflen = -1;  // -1: room for the longer of text and placeholders
    long record = -1;  // formatted-text record index; -1: in order of appearance
    int parent = -1;   // array index of the parent in a nested tree
    bool raw = false;  // from an `objects` block: links and flags as written
    // Bit images: the rows ('#' a set bit, '.' a clear one) and bi_x, bi_y,
    // bi_color (the size comes from the rows).
    std::vector<std::string> bits;
    BITBLK image = {nullptr, 0, 0, 0, 0, 0};
    // Icons: the mask and data rows, and the letter, colours and positions
    // (the icon's size comes from the rows, its text from `text`).
    std::vector<std::string> mask, data;
    ICONBLK icon = {nullptr, nullptr, nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    uint32_t parm = 0;  // user-drawn objects: ub_parm
};

// What the object's ob_spec holds in an image with the extension (an
// image without it holds the same: see needs_extension).
inline stored::Spec spec_of(const Object &o)
{
    return stored::spec_kind(o.ob.ob_type, o.ob.ob_xflags, true);
}

inline bool holds_string(const Object &o) { return spec_of(o) == stored::Spec::STRING_AT; }
inline bool holds_record(const Object &o) { return spec_of(o) == stored::Spec::TEXT_RECORD; }
inline bool holds_text(const Object &o)
{
    return holds_string(o) || holds_record(o) || spec_of(o) == stored::Spec::ICON_RECORD;
}

// Bit image and icon rows are at most this long, and at most this many.
constexpr long MAX_ROWS = 32767;

struct Tree {
    int line = 0;
    std::string name;
    int root = 0;   // array index of the root object
    int count = 0;  // objects of a nested tree (0: a `tree NAME at INDEX` entry)
};

// Data offsets of the areas; -1 where the areas follow the strings in turn.
struct Layout {
    long tedinfo = -1, object = -1, trindex = -1, size = -1;
};

struct Description {
    std::vector<Object> objects;  // the image's object array
    std::vector<Tree> trees;      // the tree index
    Layout layout;
};

// The types whose ob_spec names a string or a formatted-text record.
using stored::is_string_type;
using stored::is_text_type;

// True when the description uses something only the extension holds: a
// field after ob_height (beyond the OX_INLINE that a record type's code
// implies in an image without it) or a record type's record.
bool needs_extension(const Description &d);

// Texts, templates and strings longer than this are refused: the layer
// draws and edits them in 256-byte buffers.
constexpr int MAX_TEXT = 255;

// The buffer size of a formatted text that gives none: room for the longer
// of its text and its template's placeholders, and the NUL.
long default_buflen(const std::string &text, const std::string &tmplt);

Description parse(const std::string &text);
std::string format(const Description &d);

std::vector<unsigned char> build(const Description &d);
// `#define`s of the named trees and objects (tree indices, and object
// indices within their tree).
std::string header(const Description &d, const std::string &source);

// The description of a stored image: the smallest one that builds the same
// bytes again. Throws Error for an image the installer refuses, or one no
// description reproduces.
std::string dump(const std::vector<unsigned char> &image);

// Turns a description of raw objects (`objects` block, trees by index)
// into nested trees when each tree's objects follow its root in the array,
// in the order of a walk from it, up to the next tree's root. False (and
// `d` unchanged in meaning) when they do not.
bool nest(Description &d);

// The description of a classic .RSC file (big-endian, 36-byte header):
// its trees in the layer's model, positions in pixels for a character cell
// of cell_w x cell_h, with comments listing what the layer's format cannot
// hold (free strings and images). Throws Error with the reason for a
// damaged file, or for trees the layer's format cannot hold.
std::string import_classic(const std::vector<unsigned char> &file, int cell_w, int cell_h);

}  // namespace mkrsc
