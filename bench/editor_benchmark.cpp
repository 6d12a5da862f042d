// Times Find, each clean-up pass, Add and Up (Add flushes the dictionary to the medium,
// Up only writes) and the end of the form (which flushes too) of the real editor on a
// large dictionary, driven on the headless display. Usage:
//   editor_benchmark make DIR ENTRIES   writes DIR/TranslationFile.dat
//   editor_benchmark run DIR            prints "<operation> <seconds>" lines
//   editor_benchmark start DIR          starts the editor on DIR and cancels it
//   editor_benchmark pass DIR           starts it, runs "make 1 = 0 if > 10" once, cancels
// The dictionary is made so that every pass keeps every entry: each pass then reads and
// writes the whole file, and the dictionary stays the same for the next one.
#include "app/main_sequence.h"
#include "display/headless/headless.h"
#include "kernel/module_path.h"
#include "ui_driver.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr size_t recordSize = 2056;

void putInt32(char* at, int32_t value) { std::memcpy(at, &value, 4); }

void putText(char* record, int slot, const std::string& text) {
    // The record is zero-filled: a text shorter than the slot ends there.
    std::memcpy(record + 16 + slot * 255, text.data(), text.size());  // NOLINT(bugprone-not-null-terminated-result)
}

int makeDictionary(const std::string& directory, int entries) {
    std::ofstream out(directory + "/TranslationFile.dat", std::ios::binary | std::ios::trunc);
    std::vector<char> record(recordSize, 0);
    putInt32(record.data(), entries + 1);
    out.write(record.data(), recordSize);
    for (int i = 0; i < entries; ++i) {
        std::fill(record.begin(), record.end(), 0);
        putInt32(record.data(), 1);       // mode: not above 10
        putInt32(record.data() + 12, 5);  // word class: no pass drops it
        putText(record.data(), 0, "reference " + std::to_string(i));
        putText(record.data(), 1, "word" + std::to_string(i));
        putText(record.data(), 2, "translation of word " + std::to_string(i));
        putText(record.data(), 6, "synonym, another synonym");
        putText(record.data(), 7, "a description long enough to be typical of the dictionary");
        out.write(record.data(), recordSize);
    }
    return out ? 0 : 1;
}

using Clock = std::chrono::steady_clock;

HWND form() { return testui::topLevel("Add words To translation File"); }

void click(int id) { testui::click(GetDlgItem(form(), id)); }

int runBenchmark(const std::string& directory) {
    kernel::setModuleFileNameForTesting(directory + "/translation-editor");
    display::HeadlessBackend& screen = display::installHeadless();

    struct Timing {
        const char* name;
        int button;
    };
    // Find of the last entry's word compares every entry and shows no message box.
    const std::vector<Timing> timings = {{"find", 40},   {"pass42", 42}, {"pass43", 43}, {"pass44", 44}, {"pass45", 45},
                                         {"pass46", 46}, {"pass47", 47}, {"add", 41},    {"add", 41},    {"add", 41},
                                         {"up", 34},     {"up", 34},     {"up", 34}};
    std::vector<double> seconds(timings.size());
    Clock::time_point started;

    // The last entry's key words: the Adds of an earlier run made entries of them too.
    std::ifstream file(directory + "/TranslationFile.dat", std::ios::binary);
    int32_t count = 0;
    file.read(reinterpret_cast<char*>(&count), 4);
    char keyWords[256] = {};
    file.seekg(std::streamoff(count - 1) * std::streamoff(recordSize) + 16 + 255);
    file.read(keyWords, 255);
    std::string lastWord = keyWords;

    screen.addStep([lastWord] {
        testui::replaceText(GetDlgItem(form(), 39), lastWord);
        testui::replaceText(GetDlgItem(form(), 48), "7777");
    });
    for (size_t i = 0; i < timings.size(); ++i) {
        int button = timings[i].button;
        screen.addStep([&started, button] {
            started = Clock::now();
            click(button);
        });
        screen.addStep(
            [&seconds, &started, i] { seconds[i] = std::chrono::duration<double>(Clock::now() - started).count(); });
    }
    screen.addStep([&started] {
        started = Clock::now();
        click(29);
    });
    int result = runEditor();
    double ending = std::chrono::duration<double>(Clock::now() - started).count();
    for (size_t i = 0; i < timings.size(); ++i) std::printf("%s %.4f\n", timings[i].name, seconds[i]);
    std::printf("end %.4f\n", ending);
    return result;
}

// Clicks the buttons in turn, one each time the editor waits, then Cancel.
int clickAndCancel(const std::string& directory, std::vector<int> buttons) {
    kernel::setModuleFileNameForTesting(directory + "/translation-editor");
    display::HeadlessBackend& screen = display::installHeadless();
    buttons.push_back(29);
    for (int button : buttons) screen.addStep([button] { click(button); });
    return runEditor();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "make") == 0) return makeDictionary(argv[2], std::atoi(argv[3]));
    if (argc == 3 && std::strcmp(argv[1], "run") == 0) return runBenchmark(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "start") == 0) return clickAndCancel(argv[2], {});
    if (argc == 3 && std::strcmp(argv[1], "pass") == 0) return clickAndCancel(argv[2], {47});
    std::fprintf(stderr, "usage: %s make DIR ENTRIES | run DIR | start DIR | pass DIR\n", argv[0]);
    return 2;
}
