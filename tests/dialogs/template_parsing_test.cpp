// Reading in-memory dialog templates as the form runtime writes them: names, texts and
// alignment. A whole form's template is read every time the editor's form, drawn as a
// picture, opens.
#include "dialog_script.h"
#include "user/dialogs/dialog_template.h"

#include <gtest/gtest.h>

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

TEST(TemplateParsing, TextsBecomeWindows1252) {
    DialogLayout layout;
    layout.title = u"Caf\u00e9 \u20ac";
    layout.items = {item(1, Field::name(u"Static"), Field::name(u"\u201cquoted\u201d"))};
    DialogTemplate parsed = parse(layout);
    EXPECT_EQ(parsed.title, "Caf\xE9 \x80");
    EXPECT_EQ(parsed.items[0].title.text, "\x93quoted\x94");
}

// Whatever the lengths of the texts before it, each item starts on the next DWORD boundary.
TEST(TemplateParsing, ItemsFollowEveryAlignment) {
    for (size_t titleLength = 0; titleLength < 4; ++titleLength) {
        for (size_t textLength = 1; textLength < 5; ++textLength) {
            SCOPED_TRACE(testing::Message() << "title " << titleLength << " text " << textLength);
            DialogLayout layout;
            layout.title = std::u16string(titleLength, u'T');
            ItemLayout first = item(10, Field::name(u"Edit"), Field::name(std::u16string(textLength, u'x')));
            ItemLayout second = item(11, Field::name(u"Button"), Field::name(u"Second"));
            second.style = WS_CHILD | BS_OWNERDRAW;
            layout.items = {first, second};
            DialogTemplate parsed = parse(layout);
            EXPECT_EQ(parsed.title, std::string(titleLength, 'T'));
            EXPECT_EQ(parsed.pointSize, 8);
            EXPECT_EQ(parsed.faceName, "MS Sans Serif");
            ASSERT_EQ(parsed.items.size(), 2u);
            EXPECT_EQ(parsed.items[0].title.text, std::string(textLength, 'x'));
            EXPECT_EQ(parsed.items[1].id, 11);
            EXPECT_EQ(parsed.items[1].style, static_cast<DWORD>(WS_CHILD | BS_OWNERDRAW));
            EXPECT_EQ(parsed.items[1].windowClass.text, "Button");
            EXPECT_EQ(parsed.items[1].title.text, "Second");
        }
    }
}
