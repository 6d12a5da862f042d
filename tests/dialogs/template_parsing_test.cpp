// Reading in-memory dialog templates: ordinals, texts, alignment and what is not read. A
// whole form's template is read every time the editor's form, drawn as a picture, opens.
#include "dialog_script.h"
#include "user/dialogs/dialog_template.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace testdialogs;
using user::dialogs::DialogTemplate;
using user::dialogs::parseDialogTemplate;

namespace {

ItemLayout item(WORD id, Field windowClass, Field title = Field::name(u"")) {
    ItemLayout layout;
    layout.id = id;
    layout.windowClass = std::move(windowClass);
    layout.title = std::move(title);
    return layout;
}

DialogTemplate parse(const DialogLayout& layout) {
    auto block = TemplateBuilder::build(layout);
    DialogTemplate result;
    EXPECT_TRUE(parseDialogTemplate(block.data(), result));
    return result;
}

}  // namespace

TEST(TemplateParsing, PredefinedClassOrdinalsBecomeNamesOthersStayNumbers) {
    DialogLayout layout;
    for (WORD ordinal = 0x80; ordinal <= 0x86; ++ordinal)
        layout.items.push_back(item(ordinal, Field::number(ordinal)));
    DialogTemplate parsed = parse(layout);
    ASSERT_EQ(parsed.items.size(), 7u);
    const char* names[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_FALSE(parsed.items[i].windowClass.isOrdinal()) << i;
        EXPECT_EQ(parsed.items[i].windowClass.text, names[i]);
    }
    EXPECT_EQ(parsed.items[6].windowClass.ordinal, 0x86);
    EXPECT_EQ(parsed.items[6].windowClass.text, "");
}

TEST(TemplateParsing, OrdinalTitlesMenusAndDialogClasses) {
    DialogLayout layout;
    layout.menu = Field::number(12);
    layout.windowClass = Field::number(0x8002);
    layout.items = {item(3, Field::number(0x82), Field::number(100)), item(4, Field::number(0x80), Field::name(u"OK"))};
    DialogTemplate parsed = parse(layout);
    EXPECT_EQ(parsed.menu.ordinal, 12);
    EXPECT_EQ(parsed.windowClass.ordinal, 0x8002);
    ASSERT_EQ(parsed.items.size(), 2u);
    EXPECT_EQ(parsed.items[0].title.ordinal, 100);
    EXPECT_EQ(parsed.items[1].title.text, "OK");

    layout.menu = Field::name(u"MAINMENU");
    EXPECT_EQ(parse(layout).menu.text, "MAINMENU");
}

TEST(TemplateParsing, TextsBecomeWindows1252) {
    DialogLayout layout;
    layout.title = u"Caf\u00e9 \u20ac";
    layout.items = {item(1, Field::number(0x82), Field::name(u"\u201cquoted\u201d"))};
    DialogTemplate parsed = parse(layout);
    EXPECT_EQ(parsed.title, "Caf\xE9 \x80");
    EXPECT_EQ(parsed.items[0].title.text, "\x93quoted\x94");
}

// Whatever the lengths of the texts before it, with or without a font, each item starts
// on the next DWORD boundary; creation data of odd sizes does not disturb the next item.
TEST(TemplateParsing, ItemsFollowEveryAlignmentFontAndCreationDataSize) {
    for (bool font : {true, false}) {
        for (size_t titleLength = 0; titleLength < 4; ++titleLength) {
            for (size_t extra = 0; extra < 4; ++extra) {
                DialogLayout layout;
                if (!font)
                    layout.style = WS_POPUP | WS_CAPTION;
                layout.title = std::u16string(titleLength, u'T');
                ItemLayout first = item(10, Field::name(u"Edit"), Field::name(std::u16string(extra + 1, u'x')));
                first.creationData.assign(extra, 0xAB);
                first.x = -5;  // coordinates are signed
                first.cy = -1;
                ItemLayout second = item(11, Field::number(0x80), Field::name(u"Second"));
                second.style = WS_CHILD | BS_OWNERDRAW;
                layout.items = {first, second};
                DialogTemplate parsed = parse(layout);
                SCOPED_TRACE(testing::Message() << "font " << font << " title " << titleLength << " extra " << extra);
                EXPECT_EQ(parsed.title, std::string(titleLength, 'T'));
                EXPECT_EQ(parsed.pointSize, font ? 8 : 0);  // without DS_SETFONT no font is read
                EXPECT_EQ(parsed.faceName, font ? "MS Sans Serif" : "");
                ASSERT_EQ(parsed.items.size(), 2u);
                EXPECT_EQ(parsed.items[0].creationData, std::vector<BYTE>(extra, 0xAB));
                EXPECT_EQ(std::make_tuple(parsed.items[0].x, parsed.items[0].cy), std::make_tuple(-5, -1));
                EXPECT_EQ(parsed.items[1].id, 11);
                EXPECT_EQ(parsed.items[1].style, static_cast<DWORD>(WS_CHILD | BS_OWNERDRAW));
                EXPECT_EQ(parsed.items[1].windowClass.text, "Button");
                EXPECT_EQ(parsed.items[1].title.text, "Second");
            }
        }
    }
}

TEST(TemplateParsing, EmptyTemplatesAndWhatIsNotRead) {
    DialogLayout layout;
    layout.title = u"";
    DialogTemplate parsed = parse(layout);
    EXPECT_EQ(parsed.title, "");
    EXPECT_TRUE(parsed.items.empty());

    DialogTemplate ignored;
    EXPECT_FALSE(parseDialogTemplate(nullptr, ignored));
    // The extended layout: version 1, signature 0xFFFF.
    const WORD extended[] = {1, 0xFFFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(parseDialogTemplate(extended, ignored));
}
