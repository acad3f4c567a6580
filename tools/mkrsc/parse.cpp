// Reading a description into the object array and tree index it stands for.
#include <algorithm>
#include <map>
#include <sstream>

#include "lexer.h"
#include "mkrsc.h"
#include "names.h"

namespace mkrsc {

namespace {

// Deeper nesting than the layer's tree walks follow (gem/resource/walk.h).
constexpr int MAX_NESTING = 100;

// The tokens of one statement, read front to back.
class Cursor {
public:
    Cursor(std::vector<Token> tokens, int line) : t_(std::move(tokens)), line_(line) {}

    bool done() const { return p_ >= t_.size(); }
    const Token &peek() const { return t_[p_]; }
    bool at(Token::Kind k, const char *text = nullptr) const
    {
        return !done() && t_[p_].kind == k && (!text || t_[p_].text == text);
    }
    Token take() { return t_[p_++]; }
    bool take_if(Token::Kind k, const char *text)
    {
        if (!at(k, text))
            return false;
        p_++;
        return true;
    }

    long long number(const std::string &what, long long lo, long long hi)
    {
        if (!at(Token::NUMBER))
            throw Error(line_, what + " wants a number" + found());
        const Token n = take();
        if (n.number < lo || n.number > hi)
            throw Error(line_, "number " + n.text + " out of range for " + what + " (" +
                                   std::to_string(lo) + " to " + std::to_string(hi) + ")");
        return n.number;
    }

    // A number or a character in quotes.
    long long number_or_char(const std::string &what, long long lo, long long hi)
    {
        return at(Token::CHAR) ? take().number : number(what, lo, hi);
    }

    short coordinate(const std::string &what) { return (short)number(what, -32768, 32767); }

    void pair(const std::string &what, short &a, short &b)
    {
        a = coordinate(what);
        if (!take_if(Token::PUNCT, ","))
            throw Error(line_, what + " wants two numbers separated by ','" + found());
        b = coordinate(what);
    }

    void quad(const std::string &what, short &a, short &b, short &c, short &d)
    {
        pair(what, a, b);
        if (!take_if(Token::PUNCT, ","))
            throw Error(line_, what + " wants four numbers separated by ','" + found());
        pair(what, c, d);
    }

    Text text(const std::string &what)
    {
        if (!at(Token::TEXT))
            throw Error(line_, what + " wants a quoted text" + found());
        Text t{take().text, -1};
        if (take_if(Token::PUNCT, "@"))
            t.at = (long)number("a text offset", 0, 65535);
        return t;
    }

    // Whether the statement holds the word `w` anywhere.
    bool has_word(const char *w) const
    {
        for (const Token &t : t_)
            if (t.kind == Token::WORD && t.text == w)
                return true;
        return false;
    }

    std::string found() const
    {
        return done() ? " at the end of the line" : ", found '" + t_[p_].text + "'";
    }

private:
    std::vector<Token> t_;
    int line_;
    size_t p_ = 0;
};

const char *const KEYWORDS[] = {
    "at",     "size",     "colour", "color",     "font",    "border",  "fill", "spec",
    "char",   "template", "valid",  "buflen",    "record",  "links",   "tree", "objects",
    "layout", "xflags",   "xstate", "xtype",     "thick",   "just",    "look", "ink",
    "paper",  "origin",   "letter", "letterpos", "iconpos", "textbox", "parm"};

bool is_keyword(const std::string &w)
{
    for (const char *k : KEYWORDS)
        if (w == k)
            return true;
    return value_of(FLAGS, w) >= 0 || value_of(TYPES, w) >= 0 || value_of(XFLAGS, w) >= 0 ||
           value_of(FL3D, w) >= 0 || value_of(STATES, w) >= 0 || value_of(LOOKS, w) >= 0;
}

// The statements that add a row to the object before them.
bool is_row_word(const std::string &w) { return w == "bits" || w == "mask" || w == "data"; }

class Parser {
public:
    Description run(const std::string &text)
    {
        std::istringstream in(text);
        std::string line;
        int n = 0;
        while (std::getline(in, line)) {
            n++;
            Cursor c(tokenize(line, n), n);
            if (!c.done())
                statement(c, n);
        }
        if (!open_.empty())
            throw Error(open_.back().line, "'{' is never closed");
        return std::move(d_);
    }

private:
    enum Kind { TREE_BODY, CHILDREN, OBJECTS };
    struct Open {
        Kind kind;
        int line;
        int object;  // CHILDREN: the parent's array index
    };

    void statement(Cursor &c, int line)
    {
        const int owner = row_owner_;
        row_owner_ = -1;  // rows follow their object's line or other rows
        if (c.at(Token::PUNCT, "}")) {
            while (c.take_if(Token::PUNCT, "}"))
                close(line);
            if (!c.done())
                throw Error(line, "nothing may follow '}'" + c.found());
            return;
        }
        if (open_.empty())
            top_level(c, line);
        else if (c.at(Token::WORD) && is_row_word(c.peek().text))
            row_line(c, line, owner);
        else
            object_line(c, line);
    }

    void top_level(Cursor &c, int line)
    {
        if (c.take_if(Token::WORD, "tree"))
            tree(c, line);
        else if (c.take_if(Token::WORD, "objects"))
            opening(c, line, OBJECTS, -1);
        else if (c.take_if(Token::WORD, "layout"))
            layout(c, line);
        else
            throw Error(line, "expected 'tree', 'objects' or 'layout'" + c.found());
    }

    void tree(Cursor &c, int line)
    {
        Tree t;
        t.line = line;
        if (c.at(Token::WORD) && !is_keyword(c.peek().text))
            t.name = claim_name(c.take().text, line);
        if (c.take_if(Token::WORD, "at")) {
            t.root = (int)c.number("a tree's object index", 0, 32767);
            end_of_line(c, line);
            d_.trees.push_back(t);
            return;
        }
        t.root = (int)d_.objects.size();
        d_.trees.push_back(t);
        opening(c, line, TREE_BODY, -1);
    }

    void layout(Cursor &c, int line)
    {
        while (!c.done()) {
            const Token key = c.take();
            long *field = key.text == "tedinfo"   ? &d_.layout.tedinfo
                          : key.text == "object"  ? &d_.layout.object
                          : key.text == "trindex" ? &d_.layout.trindex
                          : key.text == "size"    ? &d_.layout.size
                                                  : nullptr;
            if (key.kind != Token::WORD || !field)
                throw Error(line, "unknown layout field '" + key.text + "'");
            *field = (long)c.number("layout " + key.text, 0, 65535);
        }
    }

    void opening(Cursor &c, int line, Kind kind, int object)
    {
        if (!c.take_if(Token::PUNCT, "{"))
            throw Error(line, "expected '{'" + c.found());
        end_of_line(c, line);
        open_.push_back({kind, line, object});
    }

    void end_of_line(Cursor &c, int line)
    {
        if (!c.done())
            throw Error(line, "unexpected '" + c.peek().text + "' at the end of the statement");
    }

    void close(int line)
    {
        if (open_.empty())
            throw Error(line, "'}' without an open '{'");
        const Open o = open_.back();
        open_.pop_back();
        if (o.kind == TREE_BODY)
            finish_tree(o.line);
    }

    // The links and OF_LASTOB of a nested tree, from the parents.
    void finish_tree(int line)
    {
        Tree &t = d_.trees.back();
        t.count = (int)d_.objects.size() - t.root;
        if (t.count == 0)
            throw Error(line, "the tree holds no object");
        for (int k = t.root; k < t.root + t.count; k++) {
            Object &o = d_.objects[k];
            o.ob.ob_next = o.ob.ob_head = o.ob.ob_tail = -1;
            o.ob.ob_flags &= ~(unsigned)OF_LASTOB;
            if (o.parent < 0)
                continue;
            Object &p = d_.objects[o.parent];
            const short index = (short)(k - t.root);
            if (p.ob.ob_head < 0)
                p.ob.ob_head = index;
            else
                d_.objects[t.root + p.ob.ob_tail].ob.ob_next = index;
            p.ob.ob_tail = index;
            o.ob.ob_next = (short)(o.parent - t.root);
        }
        d_.objects.back().ob.ob_flags |= OF_LASTOB;
    }

    void object_line(Cursor &c, int line)
    {
        const Open where = open_.back();
        if (where.kind == TREE_BODY && (int)d_.objects.size() > d_.trees.back().root)
            throw Error(line, "a tree has one root object; this one is a second");
        Object o;
        o.line = line;
        o.raw = where.kind == OBJECTS;
        o.parent = where.kind == CHILDREN ? where.object : -1;
        const bool numbered = c.at(Token::NUMBER);
        o.ob.ob_type = object_type(c, line);
        // A record type's code alone is the plain box it was before records:
        // its ob_spec holds a value. `inline` says so for any type.
        if ((numbered && stored::is_record_type(o.ob.ob_type)) || c.has_word("inline"))
            o.ob.ob_xflags |= OX_INLINE;
        if (c.at(Token::WORD) && !is_keyword(c.peek().text))
            o.name = claim_name(c.take().text, line);
        if (c.at(Token::TEXT))
            o.text = c.text("the object's text");
        boxchar_ = -1;
        while (!c.done() && !c.at(Token::PUNCT, "{"))
            attribute(c, o, line);
        // The character is the low byte of the value, whichever comes first.
        if (boxchar_ >= 0)
            o.ob.ob_spec = (o.ob.ob_spec & ~0xffL) | boxchar_;
        check_object(o, line);
        d_.objects.push_back(o);
        row_owner_ = (int)d_.objects.size() - 1;
        if (c.done())
            return;
        if (o.raw)
            throw Error(line, "objects in an 'objects' block do not nest: give their links");
        if (nesting() >= MAX_NESTING)
            throw Error(line, "nesting deeper than " + std::to_string(MAX_NESTING) + " levels");
        opening(c, line, CHILDREN, (int)d_.objects.size() - 1);
    }

    // `bits "..."`, `mask "..."` or `data "..."`: one more row of the bit
    // image or icon on the line before.
    void row_line(Cursor &c, int line, int owner)
    {
        row_owner_ = owner;
        const std::string word = c.take().text;
        const bool icon = word != "bits";
        const bool owner_fits =
            row_owner_ >= 0 && spec_of(d_.objects[row_owner_]) ==
                                   (icon ? stored::Spec::ICON_RECORD : stored::Spec::IMAGE_RECORD);
        if (!owner_fits)
            throw Error(line, "'" + word + "' rows follow the line of " +
                                  (icon ? "an icon" : "a bit image") + " they belong to");
        Object &o = d_.objects[row_owner_];
        std::vector<std::string> &rows = word == "bits" ? o.bits : word == "mask" ? o.mask : o.data;
        const std::string row = c.text("a row").chars;
        end_of_line(c, line);
        if (row.find_first_not_of("#.") != std::string::npos)
            throw Error(line, "a row is made of '#' (set) and '.' (clear)");
        if (!rows.empty() && row.size() != rows[0].size())
            throw Error(line, "a row of " + std::to_string(row.size()) + " pixels after rows of " +
                                  std::to_string(rows[0].size()));
        if ((long)row.size() > MAX_ROWS || (long)rows.size() >= MAX_ROWS)
            throw Error(line, "more than " + std::to_string(MAX_ROWS) + " rows or pixels a row");
        rows.push_back(row);
    }

    int nesting() const
    {
        int n = 0;
        for (const Open &o : open_)
            n += o.kind == CHILDREN;
        return n;
    }

    int object_type(Cursor &c, int line)
    {
        if (c.at(Token::NUMBER))
            return (int)c.number("an object type", 0, 255);
        const Token t = c.take();
        const int type = t.kind == Token::WORD ? value_of(TYPES, t.text) : -1;
        if (type < 0)
            throw Error(line, "unknown object type '" + t.text + "'");
        return type;
    }

    void attribute(Cursor &c, Object &o, int line)
    {
        const Token t = c.take();
        const int flag = t.kind == Token::WORD ? value_of(FLAGS, t.text) : -1;
        const std::string &k = t.text;
        if (flag == OF_LASTOB && !o.raw)
            throw Error(line, "'lastob' comes from the nesting; it is not written");
        if (flag >= 0)
            o.ob.ob_flags |= (unsigned)flag;
        else if (t.kind == Token::WORD && named_bits(o, k))
            return;
        else if (t.kind != Token::WORD)
            throw Error(line, "unexpected '" + k + "'");
        else if (k == "at")
            c.pair("at", o.ob.ob_x, o.ob.ob_y);
        else if (k == "size")
            c.pair("size", o.ob.ob_width, o.ob.ob_height);
        else if (k == "colour" || k == "color")
            o.ob.ob_colbyte = (unsigned)c.number("colour", 0, 255);
        else if (k == "font")
            o.ob.ob_font = (unsigned)c.number("font", 0, 255);
        else if (k == "border")
            o.ob.ob_border = (unsigned)c.number("border", 0, 255);
        else if (k == "fill")
            o.ob.ob_fill = (unsigned)c.number("fill", 0, 255);
        else if (k == "xflags")
            o.ob.ob_xflags |= (unsigned)c.number("xflags", 0, 0xffff);
        else if (k == "xstate")
            o.ob.ob_xstate |= (unsigned)c.number("xstate", 0, 0xffff);
        else if (k == "xtype")
            o.ob.ob_xtype = (unsigned)c.number("xtype", 0, 255);
        else if (k == "thick")
            o.ob.ob_thick = (signed char)c.number("thick", -128, 127);
        else if (k == "just")
            o.ob.ob_just = (unsigned char)justification(c, line);
        else if (k == "look")
            o.ob.ob_look |= (unsigned)c.number("look", 0, 255);
        else
            typed_attribute(c, o, k, line);
    }

    // The words of ob_xflags, ob_xstate and ob_look bits; false for others.
    static bool named_bits(Object &o, const std::string &k)
    {
        const int xflag = std::max(value_of(XFLAGS, k), value_of(FL3D, k));
        const int state = value_of(STATES, k);
        const int look = value_of(LOOKS, k);
        if (xflag >= 0)
            o.ob.ob_xflags |= (unsigned)xflag;
        else if (state >= 0)
            o.ob.ob_xstate |= (unsigned)state;
        else if (look >= 0)
            o.ob.ob_look |= (unsigned)look;
        return xflag >= 0 || state >= 0 || look >= 0;
    }

    // `just left|right|centre`, or a number.
    static int justification(Cursor &c, int line)
    {
        if (c.at(Token::NUMBER))
            return (int)c.number("just", 0, 255);
        const int just = c.at(Token::WORD) ? value_of(JUSTS, c.peek().text) : -1;
        if (just < 0)
            throw Error(line, "just wants left, right, centre or a number" + c.found());
        c.take();
        return just;
    }

    // Attributes that only some types take.
    void typed_attribute(Cursor &c, Object &o, const std::string &k, int line)
    {
        const stored::Spec spec = spec_of(o);
        const bool text_type = spec == stored::Spec::TEXT_RECORD;
        const bool inline_spec = spec == stored::Spec::VALUE || spec == stored::Spec::DATA_AT;
        if (spec == stored::Spec::IMAGE_RECORD && image_attribute(c, o.image, k))
            return;
        if (spec == stored::Spec::ICON_RECORD && icon_attribute(c, o.icon, k, line))
            return;
        if (k == "parm" && spec == stored::Spec::USER_RECORD)
            o.parm = (uint32_t)c.number("parm", 0, 0xffffffffLL);
        else if (k == "spec" && inline_spec)
            o.ob.ob_spec = (uint32_t)c.number("spec", 0, 0xffffffffLL);
        else if (k == "char" && o.ob.ob_type == OT_BOXCHAR)
            boxchar_ = c.number_or_char("char", 0, 255);
        else if (k == "template" && text_type)
            o.tmplt = c.text("template");
        else if (k == "valid" && text_type)
            o.valid = (short)c.number_or_char("valid", -32768, 32767);
        else if (k == "buflen" && text_type)
            o.buflen = (long)c.number("buflen", -32768, 32767);
        else if (k == "record" && text_type)
            o.record = (long)c.number("record", 0, 32767);
        else if (k == "links" && o.raw)
            links(c, o, line);
        else if (is_keyword(k))
            throw Error(line, "'" + k + "' does not apply to this object");
        else
            throw Error(line, "unknown attribute '" + k + "'");
    }

    // A bit image's colour and where its drawn part starts.
    static bool image_attribute(Cursor &c, BITBLK &b, const std::string &k)
    {
        if (k == "ink")
            b.bi_color = c.coordinate("ink");
        else if (k == "origin")
            c.pair("origin", b.bi_x, b.bi_y);
        else
            return false;
        return true;
    }

    // An icon's letter (ib_char's low byte) and colours (its high bytes),
    // and where the icon, the letter and the text lie in the object.
    static bool icon_attribute(Cursor &c, ICONBLK &b, const std::string &k, int line)
    {
        const unsigned ch = (unsigned short)b.ib_char;
        if (k == "letter")
            b.ib_char = (short)((ch & 0xff00u) | (unsigned)c.number_or_char("letter", 0, 255));
        else if (k == "ink")
            b.ib_char = (short)((ch & 0x0fffu) | (unsigned)c.number("ink", 0, 15) << 12);
        else if (k == "paper")
            b.ib_char = (short)((ch & 0xf0ffu) | (unsigned)c.number("paper", 0, 15) << 8);
        else if (k == "letterpos")
            c.pair("letterpos", b.ib_xchar, b.ib_ychar);
        else if (k == "iconpos")
            c.pair("iconpos", b.ib_xicon, b.ib_yicon);
        else if (k == "textbox") {
            c.quad("textbox", b.ib_xtext, b.ib_ytext, b.ib_wtext, b.ib_htext);
            if (b.ib_wtext < 0 || b.ib_htext < 0)
                throw Error(line, "textbox wants a width and height of 0 or more");
        } else
            return false;
        return true;
    }

    void links(Cursor &c, Object &o, int line)
    {
        short next = 0, head = 0;
        c.pair("links", next, head);
        if (!c.take_if(Token::PUNCT, ","))
            throw Error(line, "links wants three numbers separated by ','" + c.found());
        o.ob.ob_next = next;
        o.ob.ob_head = head;
        o.ob.ob_tail = c.coordinate("links");
    }

    void check_object(const Object &o, int line)
    {
        if (!o.text.chars.empty() && !holds_text(o))
            throw Error(line, "a text is given to an object type that holds none");
        if (o.ob.ob_xflags & OX_INDIRECT)
            throw Error(line, "xflags 0x100 (indirect) names an address, which no image holds");
        if (o.ob.ob_xstate & FLAG_STATES)
            throw Error(line, "selected, checked and disabled are flags: xstate keeps them 0");
    }

    std::string claim_name(const std::string &name, int line)
    {
        const auto [it, fresh] = names_.emplace(name, line);
        if (!fresh)
            throw Error(line,
                        "name " + name + " is already used on line " + std::to_string(it->second));
        return name;
    }

    Description d_;
    std::vector<Open> open_;
    std::map<std::string, int> names_;
    long long boxchar_ = -1;  // the `char` of the object being read
    int row_owner_ = -1;      // the object the statement before was, or added a row to
};

}  // namespace

Description parse(const std::string &text) { return Parser().run(text); }

}  // namespace mkrsc
