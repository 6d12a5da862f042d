// The editor form as drawn, pixel for pixel, against a reviewed picture, at the start and
// after the desktop's scale changed. Run with UPDATE_GOLDEN=1 to write a new picture after
// a deliberate change of the drawing.
#include "app/editor_form.h"
#include "editor_session.h"

#include "ui_driver.h"

#include <cstdlib>

namespace editor {
namespace {

// Two entries, the second with every kind of text the form shows.
Bytes reviewedDictionary() {
    std::vector<TestEntry> entries = {word("cat", 2), word("dog", 2)};
    entries[1].texts[synonyms] = "hound, mutt";
    entries[1].texts[description] = "a domestic animal";
    return dictionaryBytes(3, entries);
}

std::string goldenPath(int percent) {
    return std::string(EDITOR_GOLDEN_DIR) + "/editor_form" +
           (percent == 100 ? std::string() : "_at_" + std::to_string(percent)) + ".png";
}

void expectLooksLike(const display::Pixels& picture, const std::string& golden) {
    display::Pixels expected;
    ASSERT_TRUE(display::readPng(golden, expected)) << "no picture at " << golden << " (UPDATE_GOLDEN=1 writes it)";
    ASSERT_EQ(picture.width, expected.width);
    ASSERT_EQ(picture.height, expected.height);
    size_t differing = 0;
    for (size_t i = 0; i < picture.data.size(); ++i)
        differing += (picture.data[i] & 0xFFFFFF) != (expected.data[i] & 0xFFFFFF);
    if (differing != 0) {
        display::writePng(::testing::TempDir() + "editor_form_actual.png", picture);
        ADD_FAILURE() << differing << " pixels differ; the picture drawn is at " << ::testing::TempDir()
                      << "editor_form_actual.png";
    }
}

using FormPicture = EditorTest;

TEST_F(FormPicture, TheFormLooksAsReviewed) {
    writeDictionary(reviewedDictionary());
    display::Pixels picture;
    int percent = 100;
    step([&] {
        testui::pumpUntilIdle();
        picture = testui::windowPixels(formWindow());
        percent = testui::headless().scale().dpi * 100 / display::Scale::kProgramDpi;
        clickControl(cancelButton);
    });
    runEditorToEnd();

    // One reviewed picture for each scale the scenario runs at (EDITOR_TEST_SCALE).
    const std::string golden = goldenPath(percent);
    if (const char* update = std::getenv("UPDATE_GOLDEN"); update && *update == '1') {
        ASSERT_TRUE(display::writePng(golden, picture));
        GTEST_SKIP() << "wrote " << golden;
    }
    expectLooksLike(picture, golden);
}

// The desktop's scale changes while the form is up (the window went to another screen):
// the form is drawn again, whole, exactly as a start at the new scale draws it.
TEST_F(FormPicture, AChangeOfScaleDrawsTheFormAnewAtTheNewScale) {
    writeDictionary(reviewedDictionary());
    display::Pixels picture;
    step([&] {
        testui::pumpUntilIdle();
        testui::headless().changeScale(display::Scale{192});
    });
    step([&] {
        testui::pumpUntilIdle();
        picture = testui::windowPixels(formWindow());
        clickControl(cancelButton);
    });
    runEditorToEnd();
    expectLooksLike(picture, goldenPath(200));
}

}  // namespace
}  // namespace editor
