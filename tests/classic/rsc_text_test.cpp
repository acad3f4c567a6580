// The short description of classic .RSC files that tests and examples
// write: what each word stores, the example's file, and refusals by line.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "gem/classic/rscfile.h"
#include "support/classic_rsc_text.h"

namespace {

using namespace classic_rsc;

rscfile::Resource decoded(const std::string &description)
{
    const Bytes file = from_text(description);
    rscfile::Resource r;
    std::string reason;
    EXPECT_TRUE(rscfile::decode(file.data(), file.size(), r, reason)) << reason;
    return r;
}

TEST(ClassicRscText, WordsStoreTheirFields)
{
    const rscfile::Resource r =
        decoded("tree {\n"
                "  box at 1:2,3 size 0x10,4:1 spec 0xff1100 outlined {\n"
                "    button \"OK\" at 0,0 size 4,1 selectable default exit\n"
                "    fboxtext \"7\" template \"N: _\" valid \"9\" editable "
                "font 5 just 2 color 0x1180 thickness -2 txtlen 8\n"
                "    boxchar spec 0x41000000 xtype 3 rbutton touchexit "
                "hidetree selected crossed checked disabled shadowed\n"
                "  }\n"
                "}\n"
                "freestring \"say \\\"hi\\\"\"\n");
    ASSERT_EQ(r.objects.size(), 4u);
    EXPECT_EQ(r.objects[0].x, 0x0201);
    EXPECT_EQ(r.objects[0].y, 3);
    EXPECT_EQ(r.objects[0].w, 0x10);
    EXPECT_EQ(r.objects[0].h, 0x0104);
    EXPECT_EQ(r.objects[0].spec, 0xff1100u);
    EXPECT_EQ(r.objects[0].state, 0x10);
    EXPECT_EQ(r.objects[1].flags, 0x07);
    EXPECT_EQ(r.text(r.objects[1].spec), "OK");
    EXPECT_EQ(r.objects[2].flags, 0x08);
    const rscfile::Tedinfo &t = r.teds.at(0);
    EXPECT_EQ(r.text(t.ptext), "7");
    EXPECT_EQ(r.text(t.ptmplt), "N: _");
    EXPECT_EQ(r.text(t.pvalid), "9");
    EXPECT_EQ(t.font, 5);
    EXPECT_EQ(t.just, 2);
    EXPECT_EQ(t.color, 0x1180);
    EXPECT_EQ(t.thickness, -2);
    EXPECT_EQ(t.txtlen, 8);
    EXPECT_EQ(t.tmplen, 5);
    EXPECT_EQ(r.objects[3].type, G_BOXCHAR | 0x0300);
    EXPECT_EQ(r.objects[3].spec, 0x41000000u);
    EXPECT_EQ(r.objects[3].flags, 0x10 | 0x40 | 0x80 | LASTOB);
    EXPECT_EQ(r.objects[3].state, 0x01 | 0x02 | 0x04 | 0x08 | 0x20);
    EXPECT_EQ(r.text(r.frstr.at(0)), "say \"hi\"");
}

TEST(ClassicRscText, ExampleHasAMenuADialogAndAnAlert)
{
    std::ifstream in(std::string(CLASSIC_DATA_DIR) + "/example.txt");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(text.empty());
    const rscfile::Resource r = decoded(text);
    ASSERT_EQ(r.trees.size(), 2u);
    EXPECT_EQ(r.trees[0].count, 9);  // root, bar, titles, title, screen, menu, 3 entries
    EXPECT_EQ(r.objects[3].type, G_TITLE);
    EXPECT_EQ(r.text(r.objects[8].spec), "  Quit  ");
    const rscfile::Object *dialog = &r.objects[(size_t)r.trees[1].root];
    EXPECT_EQ(r.trees[1].count, 10);
    for (int k = 3; k <= 5; k++)
        EXPECT_EQ(dialog[k].flags & 0x11, 0x11) << k;  // SELECTABLE RBUTTON
    EXPECT_EQ(dialog[6].type, G_FTEXT);
    EXPECT_EQ(dialog[7].type, G_FBOXTEXT);
    EXPECT_EQ(dialog[6].flags & 0x08, 0x08);
    EXPECT_EQ(dialog[7].flags & 0x08, 0x08);
    EXPECT_EQ(dialog[8].flags & 0x06, 0x06);  // OK: DEFAULT EXIT
    EXPECT_EQ(r.text(r.frstr.at(0)), "[2][Quit the program?][ Quit | Cancel ]");
}

TEST(ClassicRscText, FuzzSeedsAreSoundAndTheExampleIsCurrent)
{
    const std::string corpus = std::string(CLASSIC_DATA_DIR) + "/../../fuzz/corpus/classic_rsc/";
    for (const char *name : {"example.rsc", "every_record.rsc", "images.rsc"}) {
        SCOPED_TRACE(name);
        std::ifstream in(corpus + name, std::ios::binary);
        const Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_FALSE(file.empty());
        rscfile::Resource r;
        std::string reason;
        EXPECT_TRUE(rscfile::decode(file.data(), file.size(), r, reason)) << reason;
    }
    std::ifstream desc(std::string(CLASSIC_DATA_DIR) + "/example.txt");
    std::ifstream seed(corpus + "example.rsc", std::ios::binary);
    EXPECT_EQ(from_text(std::string((std::istreambuf_iterator<char>(desc)),
                                    std::istreambuf_iterator<char>())),
              Bytes((std::istreambuf_iterator<char>(seed)), std::istreambuf_iterator<char>()));
}

TEST(ClassicRscText, MemoResourceHasTheIndicesMemoUses)
{
    std::ifstream in(std::string(CLASSIC_DATA_DIR) + "/../../../examples/classic/memo.txt");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(text.empty());
    const rscfile::Resource r = decoded(text);
    ASSERT_EQ(r.trees.size(), 2u);
    const rscfile::Object *menu = &r.objects[(size_t)r.trees[0].root];
    const rscfile::Object *dialog = &r.objects[(size_t)r.trees[1].root];
    for (int title : {3, 4, 5})
        EXPECT_EQ(menu[title].type, G_TITLE) << title;
    EXPECT_EQ(r.text(menu[8].spec), "  About memo...  ");
    EXPECT_EQ(r.text(menu[10].spec), "  Save  ");
    EXPECT_EQ(r.text(menu[11].spec), "  Quit  ");
    EXPECT_EQ(r.text(menu[13].spec), "  Settings...  ");
    EXPECT_EQ(dialog[2].type, G_FTEXT);
    EXPECT_GE(r.teds.at((size_t)dialog[2].record).txtlen, 16);  // memo's writer[16]
    EXPECT_EQ(dialog[3].type, G_FTEXT);
    for (int radio : {5, 6, 7})
        EXPECT_EQ(dialog[radio].flags & 0x11, 0x11) << radio;
    EXPECT_EQ(r.text(dialog[8].spec), "OK");
    EXPECT_EQ(r.text(dialog[9].spec), "Cancel");
    EXPECT_EQ(r.frstr.size(), 1u);
}

TEST(ClassicRscText, RefusalsNameTheLine)
{
    const struct {
        const char *text, *message;
    } cases[] = {
        {"tree {\n  box at 0,0 size 1,1 sparkly\n}\n", "line 2: unknown word `sparkly`"},
        {"tree {\n  box at 0 size 1,1\n}\n", "line 2: expected X,Y"},
        {"tree {\n  box at x,0\n}\n", "line 2: `x` is not a number"},
        {"\n\ntree {\n  box {\n", "line 4: a `{` without its `}`"},
        {"tree {\n  string \"open\n}\n", "line 2: a text without its closing quote"},
        {"tree {\n  ibox\n  ibox\n}\n", "line 4: a tree holds exactly one root object"},
        {"box\n", "line 1: expected `tree [NAME] {`"},
        {"tree {\n  box spec\n}\n", "line 2: `spec` needs a value"},
        {"tree {\n  box template 3\n}\n", "line 2: `template` needs a quoted text"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        try {
            from_text(c.text);
            ADD_FAILURE() << "accepted";
        } catch (const std::runtime_error &e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
}

}  // namespace
