// The clipboard (its text goes through the display, both ways) and the shared cursors.
#include "message_recorder.h"

#include <cstring>

using namespace testmsg;

namespace {

HGLOBAL globalText(const char* text) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
    std::memcpy(GlobalLock(h), text, std::strlen(text) + 1);
    GlobalUnlock(h);
    return h;
}

}  // namespace

class DisplayServices : public WindowTest {};

TEST_F(DisplayServices, TextSetHereReachesTheDisplayAndTextThereIsReadBack) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(OpenClipboard(nullptr));  // one user at a time
    EXPECT_TRUE(EmptyClipboard());
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_NE(SetClipboardData(CF_TEXT, globalText("caf\xE9")), nullptr);
    EXPECT_TRUE(CloseClipboard());
    EXPECT_EQ(display->clipboardText(), "caf\xE9");
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));

    display->setClipboardText("from elsewhere");
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);  // closed
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_TEXT);
    ASSERT_NE(data, nullptr);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(data)), "from elsewhere");
    GlobalUnlock(data);
    EXPECT_EQ(GetClipboardData(2), nullptr);  // only text exists
    EXPECT_TRUE(CloseClipboard());
    EXPECT_FALSE(CloseClipboard());
}

TEST_F(DisplayServices, CursorsAreSharedHandlesShownByTheDisplay) {
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    HCURSOR ibeam = LoadCursorA(nullptr, IDC_IBEAM);
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), arrow);
    EXPECT_NE(ibeam, arrow);
    SetCursor(ibeam);
    EXPECT_EQ(display->cursor(), display::Cursor::IBeam);
    EXPECT_EQ(SetCursor(arrow), ibeam);
    EXPECT_EQ(display->cursor(), display::Cursor::Arrow);
}
