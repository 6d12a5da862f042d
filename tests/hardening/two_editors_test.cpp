// Two editors started on the same directory, as two real processes: the second must not
// get at the first one's files, say so, and leave them exactly as they are.
#include "app/editor_form.h"
#include "editor_session.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace editor {
namespace {

struct Pipe {
    int ends[2] = {-1, -1};
    Pipe() {
        if (pipe(ends) != 0) std::abort();
    }
    ~Pipe() {
        close(ends[0]);
        close(ends[1]);
    }
    void closeWriting() {
        close(ends[1]);
        ends[1] = -1;
    }
    void send(const std::string& text) const {
        if (write(ends[1], text.data(), text.size()) != ssize_t(text.size())) _exit(90);
    }
    char receiveByte() const {
        char byte = 0;
        return read(ends[0], &byte, 1) == 1 ? byte : 0;
    }
    // Up to and including `last`: other children hold copies of the writing end, so
    // the end of the stream cannot mark the end of a message.
    std::string receiveThrough(const std::string& last) const {
        std::string text;
        char byte;
        while (text.find(last) == std::string::npos && read(ends[0], &byte, 1) == 1) text += byte;
        return text;
    }
};

int exitCodeOf(pid_t child) {
    int status = 0;
    if (waitpid(child, &status, 0) != child) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Runs in a child process and never returns: exit code 0 when the editor returned 0.
[[noreturn]] void runChild(EditorSession& session) {
    int32_t result = session.run();
    _exit(result == 0 && !::testing::Test::HasFailure() ? 0 : 1);
}

TEST(TwoEditors, SecondCannotOpenTheFilesAndLeavesThemAlone) {
    testfs::TempDirectory directory;
    const std::string dictionaryPath = directory.file("TranslationFile.dat");
    const std::string workFilePath = directory.file("TranslationFileNEW.dat");
    testfs::writeBytes(dictionaryPath, dictionaryBytes(3, {word("first"), word("second")}));

    Pipe firstReady, firstGoOn, secondReport;
    pid_t first = fork();
    ASSERT_GE(first, 0);
    if (first == 0) {
        firstGoOn.closeWriting();  // so that the parent's end alone keeps it waiting
        EditorSession session(directory.path());
        session.addAction([&] {
            firstReady.send("r");
            firstGoOn.receiveByte();  // holds the first editor with both files open
        });
        session.addAction([] { clickControl(downButton); });  // Down
        runChild(session);
    }
    firstReady.closeWriting();  // a first editor that dies early ends the wait
    ASSERT_EQ(firstReady.receiveByte(), 'r');
    const std::string dictionaryBefore = testfs::readBytes(dictionaryPath);
    const std::string workFileBefore = testfs::readBytes(workFilePath);
    ASSERT_TRUE(std::filesystem::exists(workFilePath));

    pid_t second = fork();
    ASSERT_GE(second, 0);
    if (second == 0) {
        EditorSession session(directory.path());
        int32_t result = session.run();
        std::string report;
        for (const BoxSeen& box : session.log().boxes) report += box.caption + "|" + box.text + "\n";
        report += "forms " + std::to_string(session.log().formsShown) + "\nend\n";
        secondReport.send(report);
        _exit(result == 0 && !::testing::Test::HasFailure() ? 0 : 1);
    }
    EXPECT_EQ(exitCodeOf(second), 0);
    const std::string report = secondReport.receiveThrough("end\n");
    EXPECT_EQ(report.rfind("error...MAIN...|Can't find TranslationFile.dat\n", 0), 0u) << report;
    EXPECT_NE(report.find("forms 0\n"), std::string::npos) << "the second editor showed its form";
    EXPECT_EQ(testfs::readBytes(dictionaryPath), dictionaryBefore);
    EXPECT_TRUE(std::filesystem::exists(workFilePath)) << "the second editor deleted the first one's work file";
    EXPECT_EQ(testfs::readBytes(workFilePath), workFileBefore);

    firstGoOn.send("g");
    EXPECT_EQ(exitCodeOf(first), 0);
    EXPECT_FALSE(std::filesystem::exists(workFilePath));
    const std::string after = testfs::readBytes(dictionaryPath);
    EXPECT_EQ(headerCount(after), 3);
    EXPECT_EQ(entryAt(after, 2), word("first"));
    EXPECT_EQ(entryAt(after, 3), word("second"));
}

}  // namespace
}  // namespace editor
