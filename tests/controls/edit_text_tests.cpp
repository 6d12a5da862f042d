// The text model of an edit field: word boundaries, undo and deleting at the edges.
#include "user/controls/edit_text.h"

#include <gtest/gtest.h>

namespace {

using user::controls::EditText;

TEST(EditTextTest, WordBoundaries) {
    EditText text;
    text.assign("one  two three");
    EXPECT_EQ(text.nextWordStart(0), 5u);
    EXPECT_EQ(text.nextWordStart(5), 9u);
    EXPECT_EQ(text.nextWordStart(9), 14u);
    EXPECT_EQ(text.previousWordStart(14), 9u);
    EXPECT_EQ(text.previousWordStart(9), 5u);
    EXPECT_EQ(text.previousWordStart(6), 5u);
    size_t start = 0, end = 0;
    text.wordAround(6, start, end);
    EXPECT_EQ(start, 5u);
    EXPECT_EQ(end, 8u);
    text.wordAround(4, start, end);
    EXPECT_EQ(start, 3u) << "between words the blanks are the run";
    EXPECT_EQ(end, 5u);
    text.wordAround(14, start, end);
    EXPECT_EQ(start, 9u);
    EXPECT_EQ(end, 14u);
}

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
