// Other programs at work on the editor's files while it runs: a dictionary copied over in
// place, renamed over or removed, a work file renamed over during a pass, and files this
// user may not write. The editor must never write into a file other than the one the name
// leads to, nor into one changed behind its back, and must say what went wrong.
#include "app/editor_form.h"
#include "editor_session.h"

#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

namespace editor {
namespace {

namespace fs = std::filesystem;

constexpr int downButton = 35;
constexpr int cancelButton = 29;
constexpr int replyTextField = 13;

// As `cp` does: the same file, emptied and written again.
void copyOver(const std::string& path, const Bytes& bytes) { writeBytes(path, bytes); }

// As `mv`, `git checkout` and editors that save by rename do: a new file at the name.
void renameOver(const std::string& path, const Bytes& bytes) {
    writeBytes(path + ".saving", bytes);
    ASSERT_EQ(std::rename((path + ".saving").c_str(), path.c_str()), 0);
}

struct OutsideProgram {
    const char* name;
    void (*replace)(const std::string& path, const Bytes& bytes);
    const char* happened;
};

void PrintTo(const OutsideProgram& program, std::ostream* out) { *out << program.name; }

class DictionaryReplacedUnderTheEditor : public EditorTest, public ::testing::WithParamInterface<OutsideProgram> {
protected:
    // Both of three entries, so that lengths tell nothing; the editor's dictionary was
    // saved a while ago, as dictionaries are.
    void SetUp() override {
        writeDictionary(dictionaryBytes(4, {word("a"), word("b"), word("c")}));
        fs::last_write_time(dictionaryPath(), fs::file_time_type::clock::now() - std::chrono::hours(1));
    }
    const Bytes other = dictionaryBytes(4, {word("x"), word("y"), word("z")});
};

// The store finds the file changed: nothing is written, the box says what happened, and
// the form keeps the person's texts; storing again puts them into the dictionary now at
// the name.
TEST_P(DictionaryReplacedUnderTheEditor, TheStoreWritesNothingAndTheFormKeepsItsTexts) {
    step([&] {
        typeInto(replyTextField, "kept");
        GetParam().replace(dictionaryPath(), other);
        clickControl(downButton);
    });
    step([&] {
        EXPECT_EQ(answerMessageBox("error...MAIN...").text,
                  std::string("TranslationFile.dat") + GetParam().happened + "; this entry was not stored");
        EXPECT_EQ(dictionary(), other);
        EXPECT_EQ(controlText(replyTextField), "kept");
        EXPECT_EQ(controlText(entryNumberBox), shownNumber(4));
        clickControl(downButton);
    });
    step([] { clickControl(cancelButton); });
    runEditorToEnd();
    Bytes after = dictionary();
    EXPECT_EQ(after.substr(0, 3 * recordSize), other.substr(0, 3 * recordSize));
    EXPECT_EQ(entryAt(after, 4).texts[keyWords], "c");
    EXPECT_EQ(entryAt(after, 4).texts[replyText], "kept");
}

// A pass leaves a dictionary replaced meanwhile as it is, and makes no file of the name
// the system gives the file no name leads to ("TranslationFile.dat (deleted)").
TEST_P(DictionaryReplacedUnderTheEditor, APassChangesNothing) {
    step([&] {
        GetParam().replace(dictionaryPath(), other);
        clickControl(resetHighModesButton);
    });
    step([&] {
        EXPECT_EQ(answerMessageBox("error...MAIN...").text,
                  std::string("TranslationFile.dat") + GetParam().happened + "; the pass changed nothing");
    });
    step([] {
        EXPECT_EQ(formView().fields[5], "z");  // shown again, on the dictionary now at the name
        clickControl(cancelButton);
    });
    runEditorToEnd();
    EXPECT_EQ(dictionary(), other);
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(session.directory()))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"TranslationFile.dat"});
}

INSTANTIATE_TEST_SUITE_P(
    OutsidePrograms, DictionaryReplacedUnderTheEditor,
    ::testing::Values(OutsideProgram{"copiedOver", copyOver, " was changed by another program"},
                      OutsideProgram{"renamedOver", renameOver, " was replaced or removed by another program"}),
    [](const ::testing::TestParamInfo<OutsideProgram>& made) { return std::string(made.param.name); });

using OutsidePrograms = EditorTest;

// Removed: the store writes nothing, and as no dictionary can be opened again the editor
// ends as it does at start-up without one.
TEST_F(OutsidePrograms, ARemovedDictionaryEndsTheEditorWithoutWritingIt) {
    writeNumberedDictionary(4);
    step([&] {
        fs::remove(dictionaryPath());
        clickControl(downButton);
    });
    step([&] {
        EXPECT_EQ(answerMessageBox("error...MAIN...").text,
                  "TranslationFile.dat was replaced or removed by another program; this entry was not stored");
    });
    step([&] {
        EXPECT_EQ(answerMessageBox("error...MAIN...").text, "Can't find TranslationFile.dat\n" + dictionaryPath() +
                                                                ": The system cannot find the file specified.");
    });
    runEditorToEnd();
    EXPECT_FALSE(fileExists(dictionaryPath()));
    EXPECT_FALSE(fileExists(workFilePath()));
}

// A work file renamed over while a pass waits on its message box never becomes the
// dictionary.
TEST_F(OutsidePrograms, AWorkFileRenamedOverDuringAPassIsNotInstalled) {
    Bytes original = dictionaryBytes(3, {word("a"), word("b")});
    original.replace(2 * recordSize + textOffset + description * slotSize, slotSize, std::string(slotSize, 'd'));
    writeDictionary(original);
    step([] { clickControl(deleteUnusedButton); });
    step([&] {
        renameOver(workFilePath(), "not a dictionary");
        answerMessageBox("unused...");
    });
    step([] { answerMessageBox("unused..."); });
    step([] {
        EXPECT_EQ(answerMessageBox("error...MAIN...").text,
                  "TranslationFileNEW.dat was replaced or removed by another program; the pass changed nothing");
    });
    step([] { clickControl(cancelButton); });
    runEditorToEnd();
    EXPECT_EQ(dictionary(), original);
}

// ---- files this user may not write: the box names the file, the path and the reason

struct Unwritable {
    const char* name;
    mode_t directoryMode;
    mode_t dictionaryMode;
    const char* fileNamed;
};

void PrintTo(const Unwritable& row, std::ostream* out) { *out << row.name; }

class UnwritableFiles : public ::testing::TestWithParam<Unwritable> {};

// The editor runs in a child process as the unprivileged user nobody (root may write
// anything); its first box comes back through a pipe. Exit code 77: no such user to be.
TEST_P(UnwritableFiles, TheBoxSaysWhichFileAndWhy) {
    testfs::TempDirectory directory;
    const std::string dictionaryPath = directory.file("TranslationFile.dat");
    writeBytes(dictionaryPath, dictionaryBytes(2, {word("a")}));
    ASSERT_EQ(chmod(dictionaryPath.c_str(), GetParam().dictionaryMode), 0);
    ASSERT_EQ(chmod(directory.path().c_str(), GetParam().directoryMode), 0);

    int report[2];
    ASSERT_EQ(pipe(report), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(report[0]);
        constexpr uid_t nobody = 65534;
        if (getuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0)) _exit(77);
        EditorSession session(directory.path());
        int32_t result = session.run();
        std::string first = session.log().boxes.empty() ? "" : session.log().boxes.front().text;
        if (write(report[1], first.data(), first.size()) != ssize_t(first.size())) _exit(90);
        _exit(result == 0 && !::testing::Test::HasFailure() ? 0 : 1);
    }
    close(report[1]);
    std::string first;
    char buffer[512];
    for (ssize_t n; (n = read(report[0], buffer, sizeof buffer)) > 0;) first.append(buffer, size_t(n));
    close(report[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77) GTEST_SKIP() << "cannot become the user nobody";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(first, std::string("Can't find ") + GetParam().fileNamed + "\n" + directory.file(GetParam().fileNamed) +
                         ": Access is denied.");
}

INSTANTIATE_TEST_SUITE_P(OutsidePrograms, UnwritableFiles,
                         ::testing::Values(Unwritable{"folderNotWritable", 0755, 0666, "TranslationFileNEW.dat"},
                                           Unwritable{"dictionaryNotWritable", 0777, 0644, "TranslationFile.dat"}),
                         [](const ::testing::TestParamInfo<Unwritable>& made) { return std::string(made.param.name); });

}  // namespace
}  // namespace editor
