// Every file operation of a user's command made to fail in turn, once or for good (a full
// disk): the dictionary on disk is afterwards either the old one or the new one, whole;
// when the change did not happen the user was told; and the program still ends normally.
#include "app/editor_form.h"
#include "editor_session.h"

#include "kernel/fault_injection.h"
#include "lock_attempt.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace editor {
namespace {

// Entries that the form shows and stores back byte for byte, with something for every
// pass to remove or change.
Bytes workedDictionary() {
    constexpr int32_t count = 50;
    std::vector<TestEntry> entries;
    for (int32_t record = 2; record <= count; ++record) {
        TestEntry entry;
        entry.mode = record == 44 ? 12 : 3;
        entry.replyKind = 2;
        entry.wordClass = record == 42 ? 32 : 2;
        entry.texts[keyWords] = record == 43 ? "unused" : record == 45 ? "x.lnk" : "w" + std::to_string(record);
        entry.texts[description] = "about w" + std::to_string(record);
        entries.push_back(entry);
    }
    return dictionaryBytes(count, entries);
}

struct Command {
    std::string name;
    std::string dictionary;
    std::function<void(EditorSession&)> script;
    // The dictionary is a link to a file on another file system, which the rebuild must
    // reach through a copy beside it.
    bool linkedElsewhere = false;
};

std::vector<Command> commands() {
    const std::string worked = workedDictionary();
    std::vector<Command> list = {
        {"store", worked, [](EditorSession& s) { s.addAction([] { setText(entryField(7), "changed"); }); }},
        {"add", worked,
         [](EditorSession& s) {
             s.addAction([] {
                 setText(findBox, "new word");
                 clickControl(addButton);
             });
         }},
        {"start_and_end", "", [](EditorSession& s) { s.setClosingCommand(cancelButton); }},
    };
    for (int button = 42; button <= 47; ++button)
        list.push_back({"pass " + std::to_string(button), worked, [button](EditorSession& s) {
                            s.addAction([button] {
                                setText(classNumberBox, "32");
                                clickControl(button);
                            });
                        }});
    Command linked = list.back();
    linked.name += " on a linked dictionary";
    linked.linkedElsewhere = true;
    list.push_back(linked);
    return list;
}

struct Outcome {
    int32_t result = -1;
    std::string dictionary;
    SessionLog log;
    bool copyLeftBehind = false;
    bool linkLost = false;
};

Outcome runWith(const Command& command, int failingOperation, bool sticky, int* operations = nullptr) {
    EditorSession session;
    testfs::TempDirectory elsewhere("/dev/shm");  // another file system than the session's
    const std::string target = command.linkedElsewhere ? elsewhere.file("dictionary.dat") : session.dictionaryPath();
    testfs::writeBytes(target, command.dictionary);
    if (command.linkedElsewhere) std::filesystem::create_symlink(target, session.dictionaryPath());
    command.script(session);
    kernel::failNthFileOperation(failingOperation, ERROR_DISK_FULL, sticky);
    Outcome outcome;
    outcome.result = session.run();
    if (operations) *operations = kernel::countedFileOperations();
    kernel::clearFileFaults();
    outcome.dictionary = testfs::readBytes(session.dictionaryPath());
    outcome.log = session.log();
    outcome.copyLeftBehind = fileExists(target + ".rebuild~");
    outcome.linkLost = command.linkedElsewhere && !std::filesystem::is_symlink(session.dictionaryPath());
    return outcome;
}

// The dictionary as the program reads it: the header and the records it counts. Bytes
// past them (a record written just before a refused header update) belong to no entry.
std::string countedRecords(const std::string& file) {
    int32_t count = headerCount(file);
    if (count < 1 || file.size() < size_t(count) * recordSize)
        return file;  // an incomplete dictionary compares as the raw bytes, unequal to both
    return file.substr(0, size_t(count) * recordSize);
}

bool toldOfFailure(const SessionLog& log) {
    for (const BoxSeen& box : log.boxes)
        if (box.caption == "error...MAIN...") return true;
    return false;
}

TEST(FailingFileOperations, DictionaryIsOldOrNewAndFailuresAreShown) {
    int faultPoints = 0;
    for (const Command& command : commands()) {
        int operations = 0;
        const Outcome clean = runWith(command, 0, false, &operations);
        ASSERT_EQ(clean.result, 0) << command.name;
        ASSERT_NE(clean.dictionary, command.dictionary) << command.name << " must change the dictionary";
        ASSERT_GT(operations, 0) << command.name;
        for (bool sticky : {false, true})
            for (int n = 1; n <= operations; ++n) {
                SCOPED_TRACE(command.name + (sticky ? ", failing from" : ", failing only") + " operation " +
                             std::to_string(n) + " of " + std::to_string(operations));
                const Outcome faulty = runWith(command, n, sticky);
                ++faultPoints;
                EXPECT_EQ(faulty.result, 0);
                EXPECT_FALSE(faulty.linkLost);
                // A refusal that lasts refuses the copy's removal too; the next start removes it.
                if (!sticky) {
                    EXPECT_FALSE(faulty.copyLeftBehind) << "part of a copy left beside the dictionary";
                }
                const std::string result = countedRecords(faulty.dictionary);
                const bool old = result == countedRecords(command.dictionary);
                EXPECT_TRUE(old || result == countedRecords(clean.dictionary))
                    << "the dictionary is neither old nor new";
                if (old) {
                    EXPECT_TRUE(toldOfFailure(faulty.log)) << "the change was lost without a word";
                }
            }
    }
    RecordProperty("fault_points", faultPoints);
    std::printf("fault points walked: %d\n", faultPoints);
}

// Another program that tries to take the dictionary for writing after any file operation
// of a pass and its rebuild never gets it, as the tool on this dictionary would try: an
// OFD write lock on the whole file and flock.
TEST(FailingFileOperations, TheDictionaryStaysLockedAcrossTheWholeRebuild) {
    EditorSession session;
    session.writeDictionary(workedDictionary());
    static std::string lockedPath;
    static std::vector<int> takenAfter;
    lockedPath = session.dictionaryPath();
    takenAfter.clear();
    session.addAction([] {
        kernel::observeFileOperations([](int n) {
            testfs::LockAttempt other = testfs::tryLockingForWriting(lockedPath);
            if (other.ofdLockTaken || other.flockTaken) takenAfter.push_back(n);
        });
        clickControl(resetHighModesButton);
    });
    session.addAction([] { kernel::observeFileOperations(nullptr); });
    EXPECT_EQ(session.run(), 0);
    kernel::observeFileOperations(nullptr);
    EXPECT_TRUE(takenAfter.empty()) << "taken after operation " << ::testing::PrintToString(takenAfter);
    EXPECT_EQ(entryAt(session.dictionary(), 44).mode, 0) << "the pass ran";
}

}  // namespace
}  // namespace editor
