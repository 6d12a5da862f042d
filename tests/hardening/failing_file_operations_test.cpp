// Every file operation of a user's command made to fail in turn, once or for good (a full
// disk): the dictionary on disk is afterwards either the old one or the new one, whole;
// when the change did not happen the user was told; and the program still ends normally.
#include "editor_session.h"

#include "kernel/fault_injection.h"

#include <gtest/gtest.h>

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
};

std::vector<Command> commands() {
    const std::string worked = workedDictionary();
    std::vector<Command> list = {
        {"store", worked, [](EditorSession& s) { s.addAction([] { setText(12, "changed"); }); }},
        {"add", worked,
         [](EditorSession& s) {
             s.addAction([] {
                 setText(39, "new word");
                 clickControl(41);
             });
         }},
        {"start_and_end", "", [](EditorSession& s) { s.setClosingCommand(29); }},
    };
    for (int button = 42; button <= 47; ++button)
        list.push_back({"pass " + std::to_string(button), worked, [button](EditorSession& s) {
                            s.addAction([button] {
                                setText(48, "32");
                                clickControl(button);
                            });
                        }});
    return list;
}

struct Outcome {
    int32_t result = -1;
    std::string dictionary;
    SessionLog log;
};

Outcome runWith(const Command& command, int failingOperation, bool sticky, int* operations = nullptr) {
    EditorSession session;
    testfs::writeBytes(session.dictionaryPath(), command.dictionary);
    command.script(session);
    kernel::failNthFileOperation(failingOperation, ERROR_DISK_FULL, sticky);
    Outcome outcome;
    outcome.result = session.run();
    if (operations)
        *operations = kernel::countedFileOperations();
    kernel::clearFileFaults();
    outcome.dictionary = testfs::readBytes(session.dictionaryPath());
    outcome.log = session.log();
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
        if (box.caption == "error...MAIN...")
            return true;
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
                SCOPED_TRACE(command.name + (sticky ? ", failing from" : ", failing only") +
                             " operation " + std::to_string(n) + " of " + std::to_string(operations));
                const Outcome faulty = runWith(command, n, sticky);
                ++faultPoints;
                EXPECT_EQ(faulty.result, 0);
                const std::string result = countedRecords(faulty.dictionary);
                const bool old = result == countedRecords(command.dictionary);
                EXPECT_TRUE(old || result == countedRecords(clean.dictionary)) << "the dictionary is neither old nor new";
                if (old) {
                    EXPECT_TRUE(toldOfFailure(faulty.log)) << "the change was lost without a word";
                }
            }
    }
    RecordProperty("fault_points", faultPoints);
    std::printf("fault points walked: %d\n", faultPoints);
}

}  // namespace
}  // namespace editor
