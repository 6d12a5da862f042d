// A file variable passed with the wrong kind word is reported to the user in a message
// box, and nothing is opened or closed.
#include <gtest/gtest.h>

#include "files.h"

#include "temp_directory.h"
#include "ui_driver.h"

#include <memory>
#include <string>
#include <vector>

namespace {

struct SeenBox {
    std::string caption;
    std::vector<std::string> texts;  // of its controls
};

// When the program waits in the message box, note what it shows and press Enter.
void answerNextBox(SeenBox& seen) {
    testui::headless().addStep([&seen] {
        HWND box = testui::topLevel("Error");
        ASSERT_NE(box, nullptr) << "no message box captioned Error";
        seen.caption = testui::windowText(box);
        EnumChildWindows(
            box,
            [](HWND child, LPARAM list) {
                reinterpret_cast<std::vector<std::string>*>(list)->push_back(testui::windowText(child));
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&seen.texts));
        testui::key(VK_RETURN);
    });
}

bool shows(const SeenBox& seen, const std::string& text) {
    for (const std::string& shown : seen.texts)
        if (shown == text) return true;
    return false;
}

class FileVariableMisuse : public ::testing::Test {
protected:
    testfs::TempDirectory dir;
    std::string path = dir.file("TranslationFile.dat");
    void SetUp() override { display::setBackend(std::make_unique<display::HeadlessBackend>()); }
};

TEST_F(FileVariableMisuse, OpeningWithAnotherKindIsRefusedWithAMessage) {
    SeenBox seen;
    answerNextBox(seen);
    FileVariable file = nullptr;
    EXPECT_EQ(openFile(&file, 3, path.c_str(), "w"), 1);
    EXPECT_EQ(file, nullptr);
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << "nothing was created";
    EXPECT_EQ(seen.caption, "Error");
    EXPECT_TRUE(shows(seen, "Runtime error (OPENFILE): file variable expected"));
    EXPECT_EQ(testui::headless().stepsLeft(), 0u);
}

TEST_F(FileVariableMisuse, ClosingWithAnotherKindLeavesTheFileOpen) {
    FileVariable file = nullptr;
    ASSERT_EQ(openFile(&file, 0x1000B, path.c_str(), "w"), 0);
    SeenBox seen;
    answerNextBox(seen);
    closeFile(&file, 3);
    EXPECT_EQ(seen.caption, "Error");
    EXPECT_TRUE(shows(seen, "Runtime Error: Invalid file variable"));
    ASSERT_NE(file, nullptr);
    char record[4] = {'o', 'p', 'e', 'n'};
    EXPECT_EQ(writeRecord(file, 1, record, 4), 0) << "the file is still open";
    closeFile(&file, 0x2000B);  // only the low word counts
    EXPECT_EQ(file, nullptr);
    EXPECT_EQ(testfs::readBytes(path), "open");
}

}  // namespace
