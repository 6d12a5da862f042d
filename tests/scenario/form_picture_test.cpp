// The editor form as drawn, pixel for pixel, against a reviewed picture. Run with
// UPDATE_GOLDEN=1 to write a new picture after a deliberate change of the drawing.
#include "app/editor_form.h"
#include "editor_session.h"

#include "ui_driver.h"

#include <cstdlib>

namespace editor {
namespace {

using FormPicture = EditorTest;

TEST_F(FormPicture, TheFormLooksAsReviewed) {
    std::vector<TestEntry> entries = {word("cat", 2), word("dog", 2)};
    entries[1].texts[synonyms] = "hound, mutt";
    entries[1].texts[description] = "a domestic animal";
    writeDictionary(dictionaryBytes(3, entries));
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
    const std::string golden = std::string(EDITOR_GOLDEN_DIR) + "/editor_form" +
                               (percent == 100 ? std::string() : "_at_" + std::to_string(percent)) + ".png";
    if (const char* update = std::getenv("UPDATE_GOLDEN"); update && *update == '1') {
        ASSERT_TRUE(display::writePng(golden, picture));
        GTEST_SKIP() << "wrote " << golden;
    }
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

}  // namespace
}  // namespace editor
