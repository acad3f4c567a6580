// The parts of object drawing that draw.cpp's tree walk shares with
// drawrecords.cpp (the record types: justified texts, buttons, images,
// icons, user-drawn objects) and drawlooks.cpp (frames of any thickness,
// fill patterns and text modes, the outline, shadow and cross states).
//
// All of it runs inside the plain-attribute bracket of objc_draw, with the
// object's colours, effects and font set and the VDI clip on its box.
#pragma once

#include "gem/internal.h"

namespace objdraw {

// Merged and edited texts are built in buffers of this size, so at most
// MAX_TEMPLATE characters of a template are used.
constexpr int TEXT_BUFFER = 256;
constexpr int MAX_TEMPLATE = TEXT_BUFFER - 1;

// The flag that makes _OLtext centre its text.
constexpr short CENTRE = OF_FRAMED;

// Halving that rounds toward minus infinity, in 16 bits.
inline short half(int value) { return (short)((short)value >> 1); }

// Sums of 16-bit coordinates and sizes, kept within 16 bits so that a huge
// object does not wrap around onto the screen.
inline short clamp16(long v)
{
    return (short)(v < SHRT_MIN ? SHRT_MIN : v > SHRT_MAX ? SHRT_MAX : v);
}

inline const char *or_empty(const char *s) { return s ? s : ""; }

// An object on the surface: its top left corner and size.
struct Place {
    short x, y, w, h;
};

// ---- drawrecords.cpp

// The types whose ob_spec names a record drawn by draw_record.
bool is_record(int type);

// Draws an OT_TEXT, OT_BOXTEXT, OT_FBOXTEXT, OT_BUTTON, OT_IMAGE or OT_ICON
// (`invert`: 1 when selected) over its box.
void draw_record(const OBJECT &ob, int type, const Place &at, int invert);

// Calls an OT_USERDEF object's routine and draws the selection and outline
// it asks for over it. Returns the states it asked for, of which the cross
// and the shadow are left to the caller; 0 when it was not called.
int draw_userdef(OBJECT *tree, short index, const Place &at);

// The template with each '_' taken by the next character of the text, the
// literals kept, the placeholders the text does not reach left as '_'.
// `out` holds TEXT_BUFFER bytes.
void merge_placeholders(const char *tmplt, const char *text, char *out);

// ---- drawlooks.cpp

// The type an object is drawn as: an OX_INLINE object is a plain box
// whatever its type says, and its ob_spec is never read.
int shown_type(const OBJECT &ob);

// How an object is framed. A classic frame is the one-byte model's (one
// pixel outside, on the edge, or both for the default object), drawn by
// draw.cpp; a thick one is `thickness` rings, inward when positive, outward
// when negative.
struct Frame {
    enum Kind { NONE, CLASSIC, THICK } kind;
    int thickness;      // THICK: rings, signed as above
    int width;          // pixels across the frame's rings, whichever kind
    int outside;        // pixels the frame reaches beyond the object
    bool fill_outside;  // the fill reaches one pixel beyond the object too
};

Frame frame_of(const OBJECT &ob, int type);

// Whether the type gets a filled box under it.
bool is_filled(int type);

// The box filled as ob_look says: solid, a dither, or not at all.
void fill_box(const OBJECT &ob, const short box[4]);

// Before an object's text: OL_TRANSPARENT text leaves what is behind its
// glyphs; opaque text over a dither or no fill stands on white.
void text_look(const OBJECT &ob);

// The plain attributes again, after an object's fill and text.
void plain_look();

void draw_thick_frame(const Place &at, int thickness, int colour);
void draw_outline(const Place &at, int colour);
void draw_shadow(const Place &at, const Frame &frame, int colour);
void draw_cross(const Place &at);

}  // namespace objdraw
