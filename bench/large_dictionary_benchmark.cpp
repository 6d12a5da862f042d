// Times the real editor's commands on a dictionary of any size, driven on the headless
// display, and reports the process's memory, to show what grows with the dictionary.
// Usage: large_dictionary_benchmark DIR [REPEATS]
// DIR holds TranslationFile.dat (made by `editor_benchmark make`: every entry keeps its
// form when stored, and every pass keeps every entry). Prints "<operation> <seconds>"
// lines, the median of REPEATS runs for the browsing commands, then the memory figures.
// The dictionary is left with the bytes it had: Add's record and the header a pass
// writes are undone at the end, so the next run measures the same file.
#include "app/main_sequence.h"
#include "display/headless/headless.h"
#include "kernel/module_path.h"
#include "ui_driver.h"

#include <windows.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr size_t recordSize = 2056;
constexpr int entryNumberBox = 32;
constexpr int findBox = 39;

using Clock = std::chrono::steady_clock;

HWND form() { return testui::topLevel("Add words To translation File"); }

void click(int id) { testui::click(GetDlgItem(form(), id)); }

// Resident memory now, in kB, as the kernel counts it.
long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return -1;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The header and the length the dictionary had, put back after the run.
class DictionaryRestorer {
public:
    explicit DictionaryRestorer(std::string path) : path_(std::move(path)) {
        std::ifstream in(path_, std::ios::binary | std::ios::ate);
        size_ = static_cast<off_t>(in.tellg());
        in.seekg(0);
        header_.resize(recordSize);
        in.read(header_.data(), recordSize);
    }
    int32_t count() const { return *reinterpret_cast<const int32_t*>(header_.data()); }
    bool restore() const {
        std::fstream out(path_, std::ios::binary | std::ios::in | std::ios::out);
        out.write(header_.data(), recordSize);
        out.close();
        return out && truncate(path_.c_str(), size_) == 0;
    }

private:
    std::string path_;
    off_t size_ = 0;
    std::vector<char> header_;
};

// Steps that time one click each: from the click to the program's next wait for input,
// by which time the command has run and the form is repainted.
class Timings {
public:
    explicit Timings(display::HeadlessBackend& screen) : screen_(screen) {}
    void type(int id, std::string text) {
        screen_.addStep([id, text] { testui::replaceText(GetDlgItem(form(), id), text); });
    }
    // `shows` is the entry the command must leave on show: a timing of a command that
    // did something else would mean nothing.
    void time(const std::string& name, int button, int32_t shows) {
        screen_.addStep([this, button] {
            started_ = Clock::now();
            click(button);
        });
        screen_.addStep([this, name, shows] {
            seconds_[name].push_back(std::chrono::duration<double>(Clock::now() - started_).count());
            std::string box = testui::windowText(GetDlgItem(form(), entryNumberBox));
            if (std::atol(box.c_str()) != shows) {
                std::fprintf(stderr, "%s shows entry \"%s\", not %d\n", name.c_str(), box.c_str(), shows);
                failed_ = true;
            }
        });
    }
    bool failed() const { return failed_; }
    void print() const {
        for (const auto& [name, values] : seconds_) std::printf("%s %.6f\n", name.c_str(), median(values));
    }

private:
    display::HeadlessBackend& screen_;
    Clock::time_point started_;
    std::map<std::string, std::vector<double>> seconds_;
    bool failed_ = false;
};

int run(const std::string& directory, int repeats) {
    DictionaryRestorer restorer(directory + "/TranslationFile.dat");
    int32_t count = restorer.count();
    kernel::setModuleFileNameForTesting(directory + "/translation-editor");
    display::HeadlessBackend& screen = display::installHeadless();

    Clock::time_point begun = Clock::now();
    double startUp = 0;
    long residentAfterStartUp = 0;
    screen.addStep([&] {
        startUp = std::chrono::duration<double>(Clock::now() - begun).count();
        residentAfterStartUp = residentKilobytes();
    });

    Timings timings(screen);
    // Find of the last entry's word compares every entry and shows no message box.
    timings.type(findBox, "word" + std::to_string(count - 2));
    timings.time("find", 40, count);
    // Browsing across the whole file: Goto a record, then Up and Down from it.
    for (int i = 0; i < repeats; ++i) {
        int32_t record = 2 + static_cast<int32_t>(int64_t(count - 3) * (i + 1) / (repeats + 1));
        timings.type(entryNumberBox, std::to_string(record));
        timings.time("goto", 37, record);
        timings.time("up", 34, record + 1);
        timings.time("down", 35, record);
    }
    // "make 1 = 0 if > 10" keeps every entry unchanged: the whole file read and written.
    timings.time("pass", 47, count);
    timings.time("add", 41, count + 1);
    // Cancel: the end of the form and the program's shutdown, which flushes the files.
    Clock::time_point ending;
    screen.addStep([&ending] {
        ending = Clock::now();
        click(29);
    });

    int result = runEditor();
    double end = std::chrono::duration<double>(Clock::now() - ending).count();
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    long residentAtEnd = residentKilobytes();
    std::printf("startup %.6f\n", startUp);
    timings.print();
    std::printf("end %.6f\n", end);
    std::printf("rss_after_startup_kb %ld\nrss_at_end_kb %ld\npeak_rss_kb %ld\n", residentAfterStartUp, residentAtEnd,
                usage.ru_maxrss);
    if (!restorer.restore()) {
        std::fprintf(stderr, "could not restore the dictionary\n");
        return 1;
    }
    return timings.failed() ? 1 : result;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 || argc == 3) return run(argv[1], argc == 3 ? std::max(1, std::atoi(argv[2])) : 25);
    std::fprintf(stderr, "usage: %s DIR [REPEATS]\n", argv[0]);
    return 2;
}
