// The text model of an edit field: undo and deleting at the edges. Its words are checked
// through the keys and double clicks of a field.
#include "user/controls/edit_text.h"

#include <gtest/gtest.h>

namespace {

using user::controls::EditText;

TEST(EditTextTest, TypedRunUndoesAsOneAndUndoOfUndoRedoes) {
    EditText text;
    text.assign("start");
    text.moveCaret(5, false);
    for (char c : std::string(" more"))
        text.replaceSelection(std::string(1, c), true);
    EXPECT_EQ(text.text(), "start more");
    EXPECT_TRUE(text.undo());
    EXPECT_EQ(text.text(), "start");
    EXPECT_TRUE(text.undo());
    EXPECT_EQ(text.text(), "start more");

    text.moveCaret(0, false);
    text.replaceSelection("a", true);
    text.moveCaret(text.length(), false);
    text.replaceSelection("b", true);
    text.undo();
    EXPECT_EQ(text.text(), "astart more") << "a caret move ends a typed run";
    text.assign("fresh");
    EXPECT_FALSE(text.canUndo());
}

TEST(EditTextTest, DeletingAtTheEdgesChangesNothing) {
    EditText text;
    text.assign("ab");
    EXPECT_FALSE(text.deleteBackward());
    text.moveCaret(2, false);
    EXPECT_FALSE(text.deleteForward());
    EXPECT_TRUE(text.deleteBackward());
    EXPECT_EQ(text.text(), "a");
    text.select(0, 1);
    EXPECT_TRUE(text.deleteForward());
    EXPECT_EQ(text.text(), "");
}

}  // namespace
