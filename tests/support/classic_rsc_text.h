// A classic .RSC file from a short text, for tests and examples
// (mkclassicrsc DESC.txt OUT.RSC writes one). One statement a line; `#`
// starts a comment outside quotes.
//
//   tree MENU {                          a tree (the name is only a note);
//       ibox at 0,0 size 80,25 {         one root object inside
//           string "Hello" at 1,1 size 5,1 selectable
//       }
//   }
//   freestring "[1][Saved.][ OK ]"       a free string (an alert text)
//
// An object line: its type (box, text, boxtext, image, userdef, ibox,
// button, boxchar, string, ftext, fboxtext, icon, title, or a number), a
// quoted text for string, button, title and the TEDINFO types, then any of:
//   at X,Y  size W,H    each value C (characters) or C:P (characters and
//                       pixels: low byte C, high byte P); numbers may be hex
//   spec N              the inline ob_spec (box, ibox, boxchar, userdef)
//   xtype N             the type's high byte
//   selectable default exit editable rbutton touchexit hidetree   flags
//   selected crossed checked disabled outlined shadowed           states
//   TEDINFO types: template "..." valid "..." font N just N color N
//                  thickness N txtlen N
// A line ending in `{` opens the object's children, `}` alone closes them.
// Links and LASTOB come from the nesting. Icons and images take records
// the builder of classic_rsc.h makes; the text has no pictures.
#pragma once

#include <cctype>
#include <stdexcept>
#include <string>
#include <vector>

#include "classic_rsc.h"

namespace classic_rsc {

namespace text_detail {

struct Named {
    const char *name;
    unsigned value;
};

constexpr Named TYPES[] = {
    {"box", G_BOX},         {"text", G_TEXT},   {"boxtext", G_BOXTEXT},   {"image", G_IMAGE},
    {"userdef", G_USERDEF}, {"ibox", G_IBOX},   {"button", G_BUTTON},     {"boxchar", G_BOXCHAR},
    {"string", G_STRING},   {"ftext", G_FTEXT}, {"fboxtext", G_FBOXTEXT}, {"icon", G_ICON},
    {"title", G_TITLE},
};
constexpr Named FLAGS[] = {{"selectable", 0x01}, {"default", 0x02}, {"exit", 0x04},
                           {"editable", 0x08},   {"rbutton", 0x10}, {"touchexit", 0x40},
                           {"hidetree", 0x80}};
constexpr Named STATES[] = {{"selected", 0x01}, {"crossed", 0x02},  {"checked", 0x04},
                            {"disabled", 0x08}, {"outlined", 0x10}, {"shadowed", 0x20}};

template <size_t N>
bool find(const Named (&table)[N], const std::string &word, unsigned &value)
{
    for (const Named &n : table)
        if (word == n.name) {
            value = n.value;
            return true;
        }
    return false;
}

struct Token {
    std::string text;
    bool quoted;
};

class Reader {
public:
    explicit Reader(const std::string &source)
    {
        size_t start = 0;
        while (start <= source.size()) {
            size_t end = source.find('\n', start);
            if (end == std::string::npos)
                end = source.size();
            lines_.push_back(tokens(source.substr(start, end - start), (int)lines_.size() + 1));
            start = end + 1;
        }
    }

    Bytes run()
    {
        Builder b;
        for (line_ = 0; line_ < lines_.size();) {
            const std::vector<Token> &t = lines_[line_++];
            if (t.empty())
                continue;
            if (t[0].text == "freestring" && t.size() == 2 && t[1].quoted)
                b.free_string(t[1].text);
            else if (t[0].text == "tree" && !t.back().quoted && t.back().text == "{")
                b.tree(tree_root(b));
            else
                fail("expected `tree [NAME] {` or `freestring \"TEXT\"`");
        }
        return b.bytes();
    }

private:
    [[noreturn]] void fail(const std::string &why) const { fail_at(line_, why); }

    [[noreturn]] static void fail_at(size_t line, const std::string &why)
    {
        throw std::runtime_error("line " + std::to_string(line) + ": " + why);
    }

    std::vector<Token> tokens(const std::string &line, int number)
    {
        std::vector<Token> out;
        for (size_t i = 0; i < line.size();) {
            const char c = line[i];
            if (std::isspace((unsigned char)c)) {
                i++;
            } else if (c == '#') {
                break;
            } else if (c == '"') {
                std::string s;
                for (i++; i < line.size() && line[i] != '"'; i++)
                    s += line[i] == '\\' && i + 1 < line.size() ? line[++i] : line[i];
                if (i >= line.size())
                    throw std::runtime_error("line " + std::to_string(number) +
                                             ": a text without its closing quote");
                out.push_back({s, true});
                i++;
            } else if (c == '{' || c == '}') {
                out.push_back({std::string(1, c), false});
                i++;
            } else {
                const size_t end = line.find_first_of(" \t\"{}#", i);
                out.push_back({line.substr(i, end - i), false});
                i = end == std::string::npos ? line.size() : end;
            }
        }
        return out;
    }

    Node tree_root(Builder &b)
    {
        Node holder;
        block(b, holder);
        if (holder.children.size() != 1)
            fail("a tree holds exactly one root object");
        return holder.children[0];
    }

    // Object lines up to the closing brace, as children of `parent`.
    void block(Builder &b, Node &parent)
    {
        const size_t opened = line_;
        while (line_ < lines_.size()) {
            const std::vector<Token> &t = lines_[line_++];
            if (t.empty())
                continue;
            if (t.size() == 1 && t[0].text == "}" && !t[0].quoted)
                return;
            Node n;
            const bool opens = object(b, t, n.ob);
            if (opens)
                block(b, n);
            parent.children.push_back(n);
        }
        fail_at(opened, "a `{` without its `}`");
    }

    long number(const std::string &s) const
    {
        try {
            size_t used = 0;
            const long v = std::stol(s, &used, 0);
            if (used == s.size())
                return v;
        } catch (const std::exception &) {
        }
        fail("`" + s + "` is not a number");
    }

    // C or C:P, as the stored word.
    short cell(const std::string &s) const
    {
        const size_t colon = s.find(':');
        const long chars = number(s.substr(0, colon));
        const long pixels = colon == std::string::npos ? 0 : number(s.substr(colon + 1));
        return (short)(chars | pixels << 8);
    }

    void pair(const std::string &s, short &a, short &b) const
    {
        const size_t comma = s.find(',');
        if (comma == std::string::npos)
            fail("expected X,Y, found `" + s + "`");
        a = cell(s.substr(0, comma));
        b = cell(s.substr(comma + 1));
    }

    const std::string &next(const std::vector<Token> &t, size_t &i, bool quoted) const
    {
        if (++i >= t.size() || t[i].quoted != quoted)
            fail("`" + t[i - 1].text + "` needs " + (quoted ? "a quoted text" : "a value"));
        return t[i].text;
    }

    // One object line; true when it opens a block of children.
    bool object(Builder &b, const std::vector<Token> &t, Obj &o)
    {
        unsigned v = 0;
        if (t[0].quoted)
            fail("an object line starts with its type");
        o.type = find(TYPES, t[0].text, v) ? (unsigned short)v : (unsigned short)number(t[0].text);
        const bool ted =
            o.type == G_TEXT || o.type == G_BOXTEXT || o.type == G_FTEXT || o.type == G_FBOXTEXT;
        Ted record;
        bool opens = false;
        for (size_t i = 1; i < t.size(); i++) {
            const std::string &w = t[i].text;
            if (t[i].quoted) {
                o.text = record.text = w;
            } else if (w == "{" && i + 1 == t.size()) {
                opens = true;
            } else if (w == "at" || w == "size") {
                const std::string &value = next(t, i, false);
                w == "at" ? pair(value, o.x, o.y) : pair(value, o.w, o.h);
            } else if (find(FLAGS, w, v)) {
                o.flags |= (unsigned short)v;
            } else if (find(STATES, w, v)) {
                o.state |= (unsigned short)v;
            } else if (w == "template" || w == "valid") {
                (w == "template" ? record.tmplt : record.valid) = next(t, i, true);
            } else if (valued(w)) {
                ted_field(record, o, w, number(next(t, i, false)));
            } else {
                fail("unknown word `" + w + "`");
            }
        }
        if (ted)
            o.record = b.ted(record);
        return opens;
    }

    static bool valued(const std::string &w)
    {
        for (const char *k : {"spec", "xtype", "font", "just", "color", "thickness", "txtlen"})
            if (w == k)
                return true;
        return false;
    }

    void ted_field(Ted &r, Obj &o, const std::string &w, long v) const
    {
        if (w == "spec")
            o.spec = (uint32_t)v;
        else if (w == "xtype")
            o.type = (unsigned short)((o.type & 0xff) | (v & 0xff) << 8);
        else if (w == "font")
            r.font = (short)v;
        else if (w == "just")
            r.just = (short)v;
        else if (w == "color")
            r.color = (short)v;
        else if (w == "thickness")
            r.thickness = (short)v;
        else
            r.txtlen = (short)v;
    }

    std::vector<std::vector<Token>> lines_;
    size_t line_ = 0;
};

}  // namespace text_detail

// The file a description gives; throws std::runtime_error naming the line
// of a description it cannot read.
inline Bytes from_text(const std::string &description)
{
    return text_detail::Reader(description).run();
}

}  // namespace classic_rsc
