// Long random use of the editor: clicks on any control, any typed characters, numbers in
// the number boxes, passes, closing and reopening. After every action the dictionary's
// count has changed only as the action allows and every entry decodes. Seeded: a failure
// names its seed and the actions that led to it. HARDENING_SEED and HARDENING_ACTIONS
// choose another seed or length.
#include "app/editor_form.h"
#include "editor_session.h"

#include "ui_driver.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <csignal>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace editor {
namespace {

constexpr int closingIds[] = {1, 28, 29};
constexpr int passIds[] = {42, 43, 44, 45, 46, 47};
constexpr int textFieldIds[] = {6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 32, 39, 48};
constexpr int otherIds[] = {4, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 31, 33, 34, 35, 36, 37, 38, 40, 41};

unsigned environmentNumber(const char* name, unsigned fallback) {
    const char* text = std::getenv(name);
    return text ? static_cast<unsigned>(std::strtoul(text, nullptr, 10)) : fallback;
}

Bytes startingDictionary() {
    std::vector<TestEntry> entries;
    for (int32_t record = 2; record <= 30; ++record) {
        TestEntry entry;
        entry.mode = record % 7 == 0 ? 12 : 1;
        entry.wordClass = record % 5 == 0 ? 32 : record % 4;
        entry.texts[keyWords] = record % 9 == 0 ? "unused" : record % 11 == 0 ? "a.lnk" : "w" + std::to_string(record);
        entries.push_back(entry);
    }
    return dictionaryBytes(30, entries);
}

// The action log lives here so that a stalled run can still print it from its alarm.
std::vector<std::string> actionLog;
unsigned currentSeed = 0;

void printTail(FILE* out) {
    std::fprintf(out, "seed %u, %zu actions; the last ones:\n", currentSeed, actionLog.size());
    size_t from = actionLog.size() > 40 ? actionLog.size() - 40 : 0;
    for (size_t i = from; i < actionLog.size(); ++i) std::fprintf(out, "  %zu: %s\n", i + 1, actionLog[i].c_str());
}

extern "C" void onStall(int) {
    std::fprintf(stderr, "the program did not come back for input within the time limit\n");
    printTail(stderr);
    _exit(3);
}

enum class CountChange { none, add, pass };

class RandomUser {
public:
    RandomUser(const std::string& directory, unsigned seed, unsigned actions)
        : directory_(directory), random_(seed), actionsLeft_(actions) {}

    // One run of the program, until an action ends it or the actions are used up.
    void runOnce() {
        EditorSession session(directory_);
        boxesNoted_ = 0;
        session.setWaitLimit(1 << 30);  // the alarm stops a stalled run
        session.setClosingCommand(cancelButton);
        session.setNextAction([this, &session] { return onForm(session.log()); });
        alarm(stallSeconds);
        int32_t result = session.run();
        alarm(0);
        EXPECT_EQ(result, 0);
        EXPECT_FALSE(session.log().closingRefused) << "Cancel did not end the program";
        check(CountChange::none, session.dictionary());
        EXPECT_FALSE(fileExists(session.workFilePath())) << "work file left after the end";
    }

    bool actionsLeft() const { return actionsLeft_ > 0 && !::testing::Test::HasFailure(); }

private:
    static constexpr unsigned stallSeconds = 20;

    // With the form up: a box that came up in the middle of a pass has been answered, so
    // the files are checked now that the action is over.
    bool onForm(const SessionLog& log) {
        alarm(stallSeconds);
        for (; boxesNoted_ < log.boxes.size(); ++boxesNoted_)
            note("answer the box \"" + log.boxes[boxesNoted_].caption + "\"");
        check(expected_, readBytes(directory_ + "/TranslationFile.dat"));
        expected_ = CountChange::none;
        if (actionsLeft_ == 0 || ::testing::Test::HasFailure()) {
            note("Cancel to end");
            return false;
        }
        --actionsLeft_;
        act();
        return true;
    }

    void note(const std::string& action) { actionLog.push_back(action); }

    int pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(random_); }
    template <size_t N>
    int pickOf(const int (&ids)[N]) {
        return ids[pick(int(N))];
    }

    std::string randomText(int length) {
        std::string text;
        for (int i = 0; i < length; ++i) {
            int byte = pick(10) == 0 ? 0xA0 + pick(0x60) : 0x20 + pick(0x5F);
            text += static_cast<char>(byte);
        }
        return text;
    }

    std::string randomNumber() {
        switch (pick(6)) {
        case 0:
            return std::to_string(pick(5) - 2);
        case 1:
            return std::to_string(lastCount_ + pick(5) - 2);
        case 2:
            return " " + std::to_string(pick(lastCount_ + 3));
        case 3:
            return "2147483647";
        case 4:
            return std::to_string(pick(100)) + "." + std::to_string(pick(10));
        default:
            return randomText(pick(4));
        }
    }

    // What a command may do to the count.
    void expectCommand(int id) {
        if (id == 41) expected_ = CountChange::add;
        for (int pass : passIds)
            if (id == pass) expected_ = CountChange::pass;
    }

    void clickId(int id) {
        note("click " + std::to_string(id));
        expectCommand(id);
        clickControl(id);
    }

    void act() {
        int roll = pick(100);
        if (roll < 30) {
            clickId(pickOf(otherIds));
        } else if (roll < 50) {
            int field = pickOf(textFieldIds);
            std::string text = randomText(pick(12));
            note("type \"" + text + "\" into " + std::to_string(field));
            testui::click(control(field));
            testui::type(text);
        } else if (roll < 62) {
            std::string number = randomNumber();
            int button = pick(3) == 0 ? 35 : pick(2) == 0 ? 34 : 37;
            note("box 32 := \"" + number + "\", click " + std::to_string(button));
            setText(entryNumberBox, number);
            clickControl(button);
        } else if (roll < 67) {
            std::string number = randomNumber();
            note("field 48 := \"" + number + "\"");
            setText(classNumberBox, number);
        } else if (roll < 72) {
            int field = pickOf(textFieldIds);
            note("field " + std::to_string(field) + " := 300 characters");
            setText(field, std::string(300, char('A' + pick(26))));
        } else if (roll < 80) {
            static constexpr uint32_t keys[] = {VK_TAB, VK_ESCAPE, VK_LEFT, VK_HOME,
                                                VK_END, VK_DELETE, VK_BACK, VK_SPACE};
            uint32_t key = keys[pick(8)];
            // The space bar presses the push button that has the focus.
            int focused = GetDlgCtrlID(GetFocus());
            note("key " + std::to_string(key) + " with the focus on " + std::to_string(focused));
            if (key == VK_SPACE) expectCommand(focused);
            testui::key(key);
        } else if (roll < 84) {
            clickId(pickOf(passIds));
        } else if (roll < 86) {
            clickId(pickOf(closingIds));
        } else if (roll < 87) {
            note("close box");
            PostMessageA(formWindow(), WM_CLOSE, 0, 0);
        } else {
            clickId(pick(2) == 0 ? 34 : 35);
        }
    }

    // The count moves only as the last action allows, and every entry is whole with each
    // of its texts ended within its slot.
    void check(CountChange change, const Bytes& file) {
        int32_t count = headerCount(file);
        switch (change) {
        case CountChange::none:
            EXPECT_EQ(count, lastCount_) << "the count changed without Add or a pass";
            break;
        case CountChange::add:
            EXPECT_EQ(count, lastCount_ + 1) << "Add must add exactly one entry";
            break;
        case CountChange::pass:
            EXPECT_GE(count, 1);
            EXPECT_LE(count, lastCount_) << "a pass made up entries";
            break;
        }
        EXPECT_GE(file.size(), static_cast<size_t>(std::max(count, 1)) * recordSize) << "an entry is missing";
        for (int32_t record = 2; record <= count && size_t(record) * recordSize <= file.size(); ++record)
            for (int slot = 0; slot < 8; ++slot)
                EXPECT_TRUE(slotIsTerminated(file, record, slot)) << "record " << record << " slot " << slot;
        if (count != lastCount_) note("count " + std::to_string(lastCount_) + " -> " + std::to_string(count));
        lastCount_ = count;
        if (::testing::Test::HasFailure() && !reported_) {
            reported_ = true;
            printTail(stdout);
        }
    }

    std::string directory_;
    std::mt19937 random_;
    unsigned actionsLeft_;
    int32_t lastCount_ = 30;
    CountChange expected_ = CountChange::none;
    size_t boxesNoted_ = 0;
    bool reported_ = false;
};

TEST(RandomUse, CountsAndEntriesStaySound) {
    currentSeed = environmentNumber("HARDENING_SEED", 20261206);
    const unsigned actions = environmentNumber("HARDENING_ACTIONS", 500);
    actionLog.clear();
    std::signal(SIGALRM, onStall);
    testfs::TempDirectory directory;
    testfs::writeBytes(directory.file("TranslationFile.dat"), startingDictionary());
    RandomUser user(directory.path(), currentSeed, actions);
    int runs = 0;
    while (user.actionsLeft()) {
        user.runOnce();
        ++runs;
    }
    std::printf("seed %u: %zu actions in %d runs of the program\n", currentSeed, actionLog.size(), runs);
}

}  // namespace
}  // namespace editor
