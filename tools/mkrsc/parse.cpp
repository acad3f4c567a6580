// Reading a description into the object array and tree index it stands for.
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

    Text text(const std::string &what)
    {
        if (!at(Token::TEXT))
            throw Error(line_, what + " wants a quoted text" + found());
        Text t{take().text, -1};
        if (take_if(Token::PUNCT, "@"))
            t.at = (long)number("a text offset", 0, 65535);
        return t;
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

const char *const KEYWORDS[] = {"at",     "size",  "colour", "color",    "font",  "border",
                                "fill",   "spec",  "char",   "template", "valid", "buflen",
                                "record", "links", "tree",   "objects",  "layout"};

bool is_keyword(const std::string &w)
{
    for (const char *k : KEYWORDS)
        if (w == k)
            return true;
    return value_of(FLAGS, w) >= 0 || value_of(TYPES, w) >= 0;
}

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
        if (c.at(Token::PUNCT, "}")) {
            while (c.take_if(Token::PUNCT, "}"))
                close(line);
            if (!c.done())
                throw Error(line, "nothing may follow '}'" + c.found());
            return;
        }
        if (open_.empty())
            top_level(c, line);
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
        o.ob.ob_type = object_type(c, line);
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
        if (c.done())
            return;
        if (o.raw)
            throw Error(line, "objects in an 'objects' block do not nest: give their links");
        if (nesting() >= MAX_NESTING)
            throw Error(line, "nesting deeper than " + std::to_string(MAX_NESTING) + " levels");
        opening(c, line, CHILDREN, (int)d_.objects.size() - 1);
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
        else
            typed_attribute(c, o, k, line);
    }

    // Attributes that only some types take.
    void typed_attribute(Cursor &c, Object &o, const std::string &k, int line)
    {
        const bool text_type = is_text_type(o.ob.ob_type);
        const bool inline_spec = !is_string_type(o.ob.ob_type) && !text_type;
        if (k == "spec" && inline_spec)
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
        if (!o.text.chars.empty() && !is_string_type(o.ob.ob_type) && !is_text_type(o.ob.ob_type))
            throw Error(line, "a text is given to an object type that holds none");
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
};

}  // namespace

Description parse(const std::string &text) { return Parser().run(text); }

}  // namespace mkrsc
