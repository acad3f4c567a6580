// The text-cursor escapes: a grid of 8 x 8 cells over the surface, in which
// text is written in the system font (font 0) at a cursor that moves cell
// by cell, and lines or the rest of the screen are erased. The grid is
// there at all times; alpha mode (v_enter_cur to v_exit_cur) shows the
// cursor as its cell inverted, taken away while the grid changes.
// v_dspcur and v_rmcur show and remove the graphic cursor: the pointer.
#include <string.h>

#include <algorithm>

#include "gem/internal.h"

namespace {

// Font 0 is the 8 x 8 system font; it is always registered and is never
// unloaded.
constexpr int kCell = 8;
constexpr int kInk = 1, kPaper = 0;

struct Grid {
    int rows, cols;
};

Grid grid_of(int handle)
{
    const BITMAP *surface = _surface(handle);
    return surface ? Grid{surface->h / kCell, surface->w / kCell} : Grid{0, 0};
}

struct Cursor {
    bool alpha = false;    // alpha mode: the cursor shows
    int row = 0, col = 0;  // from 0
    bool drawn = false;    // its cell is inverted now, on drawn_handle's surface
    int drawn_handle = 0, drawn_row = 0, drawn_col = 0;
    // The logical screen when the cell was inverted: every mode setting
    // makes a new one, and clears the screens, cursor cell and all.
    const BITMAP *drawn_mode = nullptr;
};
Cursor cursor;

bool pointer_held = false;  // v_rmcur holds a hide request

// The cells from column c1 to c2 - 1 of rows r1 to r2 - 1, in `colour`.
void fill_cells(int handle, int r1, int c1, int r2, int c2, int colour)
{
    BITMAP *surface = _surface(handle);
    if (surface && r1 < r2 && c1 < c2)
        rectfill(surface, c1 * kCell, r1 * kCell, c2 * kCell - 1, r2 * kCell - 1, colour);
}

// The layer's XOR rule, bit 0 of every pixel: drawn twice, the cell is back.
void invert_cell(int handle, int row, int col)
{
    drawing_mode(DRAW_MODE_XOR, NULL, 0, 0);
    fill_cells(handle, row, col, row + 1, col + 1, 1);
    drawing_mode(DRAW_MODE_SOLID, NULL, 0, 0);
}

// The cursor stays within the grid, which a mode change may have made
// smaller.
void keep_in_grid(const Grid &g)
{
    cursor.row = std::max(0, std::min(cursor.row, g.rows - 1));
    cursor.col = std::max(0, std::min(cursor.col, g.cols - 1));
}

void take_cursor_away()
{
    if (cursor.drawn && cursor.drawn_mode == _logbmp)
        invert_cell(cursor.drawn_handle, cursor.drawn_row, cursor.drawn_col);
    cursor.drawn = false;
}

void show_cursor(int handle)
{
    const Grid g = grid_of(handle);
    keep_in_grid(g);
    if (!cursor.alpha || g.rows == 0 || g.cols == 0)
        return;
    invert_cell(handle, cursor.row, cursor.col);
    cursor.drawn = true;
    cursor.drawn_handle = handle;
    cursor.drawn_row = cursor.row;
    cursor.drawn_col = cursor.col;
    cursor.drawn_mode = _logbmp;
}

// Around every call that changes the grid or moves the cursor: the pointer
// and the cursor are taken away, and the cursor comes back at its place
// after.
class GridChange {
public:
    explicit GridChange(int handle) : handle_(handle)
    {
        scare_mouse();
        take_cursor_away();
        keep_in_grid(grid_of(handle));
    }
    ~GridChange()
    {
        show_cursor(handle_);
        unscare_mouse();
    }
    GridChange(const GridChange &) = delete;
    GridChange &operator=(const GridChange &) = delete;

private:
    int handle_;
};

// The system font in its default colours, no effects, the plain
// attributes, clipped to the grid; the program's own come back after.
// v_gtext leaves the clip rectangle's right column out, so the rectangle
// ends one column past the grid.
class PlainText {
public:
    PlainText(int handle, const Grid &g)
        : handle_(handle), text_(_textcol), fill_(_fillcol), effects_(_texteff),
          font_(_fontno), clip_{_clipx1, _clipy1, _clipx2, _clipy2}
    {
        _vdi_enter_plain(&attributes_);
        _textcol = kInk;
        _fillcol = kPaper;
        _texteff = 0;
        vst_font(handle, 0);
        _clipx1 = 0;
        _clipy1 = 0;
        _clipx2 = (short)(g.cols * kCell);
        _clipy2 = (short)(g.rows * kCell - 1);
    }
    ~PlainText()
    {
        _vdi_leave_plain(&attributes_);
        _textcol = text_;
        _fillcol = fill_;
        _texteff = effects_;
        vst_font(handle_, font_);
        _clipx1 = clip_[0];
        _clipy1 = clip_[1];
        _clipx2 = clip_[2];
        _clipy2 = clip_[3];
    }
    PlainText(const PlainText &) = delete;
    PlainText &operator=(const PlainText &) = delete;

private:
    int handle_;
    short text_, fill_, effects_, font_, clip_[4];
    VDI_ATTRIBUTES attributes_;
};

// `n` characters into the cells from (row, col) on, one cell each. A cell
// is cleared first: a character the font does not draw leaves it blank.
void write_cells(int handle, const Grid &g, int row, int col, const char *s, int n)
{
    if (n <= 0)
        return;
    fill_cells(handle, row, col, row + 1, col + n, kPaper);
    PlainText plain(handle, g);
    if (!_font)
        return;
    const int baseline = row * kCell + _font->top;
    for (int i = 0; i < n; i++) {
        const char one[2] = {s[i], 0};
        v_gtext(handle, (col + i) * kCell, baseline, one);
    }
}

void clear_surface(int handle)
{
    BITMAP *surface = _surface(handle);
    if (surface)
        rectfill(surface, 0, 0, surface->w - 1, surface->h - 1, kPaper);
}

}  // namespace

void vq_chcells(int handle, short *rows, short *columns)
{
    const Grid g = grid_of(handle);
    if (rows)
        *rows = (short)g.rows;
    if (columns)
        *columns = (short)g.cols;
}

// The surface cleared to colour 0 and the cursor home, shown.
void v_enter_cur(int handle)
{
    GridChange change(handle);
    clear_surface(handle);
    cursor.alpha = true;
    cursor.row = cursor.col = 0;
}

void v_exit_cur(int handle)
{
    GridChange change(handle);
    clear_surface(handle);
    cursor.alpha = false;
}

// Every byte is a character of the font (codes below 32 too). A row does
// not wrap: past its last column each further character takes the last
// cell, so the string's last character ends there, and the cursor stays
// on the last column.
void v_curtext(int handle, const char *string)
{
    if (!string)
        return;
    GridChange change(handle);
    const Grid g = grid_of(handle);
    const size_t n = strlen(string);
    if (g.rows == 0 || g.cols == 0 || n == 0)
        return;
    const int room = g.cols - cursor.col;
    if (n <= (size_t)room) {
        write_cells(handle, g, cursor.row, cursor.col, string, (int)n);
        cursor.col = std::min(cursor.col + (int)n, g.cols - 1);
    } else {
        write_cells(handle, g, cursor.row, cursor.col, string, room - 1);
        write_cells(handle, g, cursor.row, g.cols - 1, string + n - 1, 1);
        cursor.col = g.cols - 1;
    }
}

// Row and column from 1, each kept within the grid.
void vs_curaddress(int handle, int row, int column)
{
    GridChange change(handle);
    cursor.row = row - 1;
    cursor.col = column - 1;
}

void vq_curaddress(int handle, short *row, short *column)
{
    keep_in_grid(grid_of(handle));
    if (row)
        *row = (short)(cursor.row + 1);
    if (column)
        *column = (short)(cursor.col + 1);
}

// The moves stop at the grid's edges.
void v_curup(int handle)
{
    GridChange change(handle);
    cursor.row--;
}

void v_curdown(int handle)
{
    GridChange change(handle);
    cursor.row++;
}

void v_curright(int handle)
{
    GridChange change(handle);
    cursor.col++;
}

void v_curleft(int handle)
{
    GridChange change(handle);
    cursor.col--;
}

void v_curhome(int handle)
{
    GridChange change(handle);
    cursor.row = cursor.col = 0;
}

// From the cursor's cell to the end of its row.
void v_eeol(int handle)
{
    GridChange change(handle);
    const Grid g = grid_of(handle);
    fill_cells(handle, cursor.row, cursor.col, cursor.row + 1, g.cols, kPaper);
}

// From the cursor's cell to the end of the grid.
void v_eeos(int handle)
{
    GridChange change(handle);
    const Grid g = grid_of(handle);
    fill_cells(handle, cursor.row, cursor.col, cursor.row + 1, g.cols, kPaper);
    fill_cells(handle, cursor.row + 1, 0, g.rows, g.cols, kPaper);
}

// The pointer goes to (x, y), kept on the screen, and shows: at once when
// nothing holds it hidden, or as soon as the hide request of v_rmcur is
// the only one and is taken back here.
void v_dspcur(int handle, int x, int y)
{
    x = std::max(0, std::min(x, _scrwid - 1));
    y = std::max(0, std::min(y, _scrht - 1));
    _mevent.x = (short)x;  // the next poll reports no movement
    _mevent.y = (short)y;
    _gemio->warp(x, y);
    if (pointer_held) {
        pointer_held = false;
        v_show_c(handle, 1);
    } else if (_mtot == 0) {
        _showmouse();
    }
}

// Hides the pointer with one hide request, held until v_dspcur.
void v_rmcur(int handle)
{
    if (pointer_held)
        return;
    v_hide_c(handle);
    pointer_held = true;
}
