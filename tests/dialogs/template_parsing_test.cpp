// Reading in-memory dialog templates: fields, texts, ordinals and alignment.
#include "template_builder.h"
#include "user/dialog_template.h"

#include <gtest/gtest.h>

using namespace testdialogs;
using user::dialogs::DialogTemplate;
using user::dialogs::parseDialogTemplate;

namespace {

ItemSpec item(WORD id, Field windowClass, Field title = Field::name(u"")) {
    ItemSpec spec;
    spec.id = id;
    spec.windowClass = std::move(windowClass);
    spec.title = std::move(title);
    return spec;
}

DialogTemplate parse(const DialogSpec& spec) {
    auto block = TemplateBuilder::build(spec);
    DialogTemplate result;
    EXPECT_TRUE(parseDialogTemplate(block.data(), result));
    return result;
}

}  // namespace

TEST(TemplateParsing, HeaderFontAndControlsOfAFormLikeTheEditors) {
    DialogSpec spec;
    spec.style = 0x90C800C0;
    spec.x = 0;
    spec.y = 4;
    spec.cx = 530;
    spec.cy = 271;
    spec.windowClass = Field::name(u"MarlowDlgClass");
    spec.title = u"Add words To translation File";
    ItemSpec label = item(1, Field::name(u"STATIC"), Field::name(u"1 mode"));
    label.style = WS_CHILD | WS_VISIBLE | SS_NOTIFY;
    label.x = 30;
    label.y = 19;
    label.cx = 310;
    label.cy = 12;
    ItemSpec edit = item(6, Field::name(u"EDIT"), Field::name(u"text"));
    edit.exStyle = WS_EX_CLIENTEDGE;
    edit.x = -5;
    edit.cy = -1;
    spec.items = {label, edit};

    DialogTemplate parsed = parse(spec);
    EXPECT_EQ(parsed.style, 0x90C800C0u);
    EXPECT_EQ(parsed.exStyle, 0u);
    EXPECT_EQ(parsed.y, 4);
    EXPECT_EQ(parsed.cx, 530);
    EXPECT_EQ(parsed.cy, 271);
    EXPECT_FALSE(parsed.menu.isOrdinal());
    EXPECT_EQ(parsed.menu.text, "");
    EXPECT_EQ(parsed.windowClass.text, "MarlowDlgClass");
    EXPECT_EQ(parsed.title, "Add words To translation File");
    EXPECT_EQ(parsed.pointSize, 8);
    EXPECT_EQ(parsed.faceName, "MS Sans Serif");
    ASSERT_EQ(parsed.items.size(), 2u);
    EXPECT_EQ(parsed.items[0].id, 1);
    EXPECT_EQ(parsed.items[0].style, static_cast<DWORD>(WS_CHILD | WS_VISIBLE | SS_NOTIFY));
    EXPECT_EQ(parsed.items[0].windowClass.text, "STATIC");
    EXPECT_EQ(parsed.items[0].title.text, "1 mode");
    EXPECT_EQ(parsed.items[0].x, 30);
    EXPECT_EQ(parsed.items[0].y, 19);
    EXPECT_EQ(parsed.items[0].cx, 310);
    EXPECT_EQ(parsed.items[0].cy, 12);
    EXPECT_EQ(parsed.items[1].exStyle, static_cast<DWORD>(WS_EX_CLIENTEDGE));
    EXPECT_EQ(parsed.items[1].windowClass.text, "EDIT");
    EXPECT_EQ(parsed.items[1].x, -5);  // coordinates are signed
    EXPECT_EQ(parsed.items[1].cy, -1);
}

TEST(TemplateParsing, PredefinedClassOrdinalsBecomeNamesOthersStayNumbers) {
    DialogSpec spec;
    for (WORD ordinal = 0x80; ordinal <= 0x86; ++ordinal)
        spec.items.push_back(item(ordinal, Field::number(ordinal)));
    DialogTemplate parsed = parse(spec);
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
    DialogSpec spec;
    spec.menu = Field::number(12);
    spec.windowClass = Field::number(0x8002);
    spec.items = {item(3, Field::number(0x82), Field::number(100)), item(4, Field::number(0x80), Field::name(u"OK"))};
    DialogTemplate parsed = parse(spec);
    EXPECT_EQ(parsed.menu.ordinal, 12);
    EXPECT_EQ(parsed.windowClass.ordinal, 0x8002);
    ASSERT_EQ(parsed.items.size(), 2u);
    EXPECT_EQ(parsed.items[0].title.ordinal, 100);
    EXPECT_EQ(parsed.items[1].title.text, "OK");

    spec.menu = Field::name(u"MAINMENU");
    EXPECT_EQ(parse(spec).menu.text, "MAINMENU");
}

TEST(TemplateParsing, TextsBecomeWindows1252) {
    DialogSpec spec;
    spec.title = u"Caf\u00e9 \u20ac";
    spec.items = {item(1, Field::number(0x82), Field::name(u"\u201cquoted\u201d"))};
    DialogTemplate parsed = parse(spec);
    EXPECT_EQ(parsed.title, "Caf\xE9 \x80");
    EXPECT_EQ(parsed.items[0].title.text, "\x93quoted\x94");
}

// Whatever the lengths of the texts before it, each item starts on the next DWORD
// boundary; creation data of odd sizes does not disturb the next item either.
TEST(TemplateParsing, ItemsFollowEveryAlignmentAndCreationDataSize) {
    for (size_t titleLength = 0; titleLength < 4; ++titleLength) {
        for (size_t extra = 0; extra < 4; ++extra) {
            DialogSpec spec;
            spec.title = std::u16string(titleLength, u'T');
            ItemSpec first = item(10, Field::name(u"Edit"), Field::name(std::u16string(extra + 1, u'x')));
            first.creationData.assign(extra, 0xAB);
            ItemSpec second = item(11, Field::number(0x80), Field::name(u"Second"));
            second.style = WS_CHILD | BS_OWNERDRAW;
            spec.items = {first, second};
            DialogTemplate parsed = parse(spec);
            SCOPED_TRACE(testing::Message() << "title " << titleLength << " extra " << extra);
            EXPECT_EQ(parsed.title, std::string(titleLength, 'T'));
            ASSERT_EQ(parsed.items.size(), 2u);
            EXPECT_EQ(parsed.items[0].creationData, std::vector<BYTE>(extra, 0xAB));
            EXPECT_EQ(parsed.items[1].id, 11);
            EXPECT_EQ(parsed.items[1].style, static_cast<DWORD>(WS_CHILD | BS_OWNERDRAW));
            EXPECT_EQ(parsed.items[1].windowClass.text, "Button");
            EXPECT_EQ(parsed.items[1].title.text, "Second");
        }
    }
}

TEST(TemplateParsing, WithoutSetFontNoFontIsRead) {
    DialogSpec spec;
    spec.style = WS_POPUP | WS_CAPTION;
    spec.title = u"No font";
    spec.items = {item(7, Field::number(0x81))};
    DialogTemplate parsed = parse(spec);
    EXPECT_EQ(parsed.pointSize, 0);
    EXPECT_EQ(parsed.faceName, "");
    ASSERT_EQ(parsed.items.size(), 1u);
    EXPECT_EQ(parsed.items[0].id, 7);
    EXPECT_EQ(parsed.items[0].windowClass.text, "Edit");
}

TEST(TemplateParsing, EmptyTemplatesAndWhatIsNotRead) {
    DialogSpec spec;
    spec.title = u"";
    DialogTemplate parsed = parse(spec);
    EXPECT_EQ(parsed.title, "");
    EXPECT_TRUE(parsed.items.empty());

    DialogTemplate ignored;
    EXPECT_FALSE(parseDialogTemplate(nullptr, ignored));
    // The extended layout: version 1, signature 0xFFFF.
    const WORD extended[] = {1, 0xFFFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(parseDialogTemplate(extended, ignored));
}
