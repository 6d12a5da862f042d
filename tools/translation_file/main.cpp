// translation-file: a translation file as readable text and back, checked and searched.
#include "codepage/windows1252.h"
#include "dictionary_check.h"
#include "dictionary_lock.h"
#include "dictionary_text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char kUsage[] =
    "usage: translation-file export DICT.dat        write the dictionary as text to standard output\n"
    "       translation-file import TEXT DICT.dat   make the dictionary from the text (- reads standard input)\n"
    "       translation-file check DICT.dat        say what is unsound in the dictionary, one line each\n"
    "       translation-file find DICT.dat WORDS   write the entries whose key words are exactly WORDS (one argument)\n"
    "exit status: 0 done; 1 refused, unsound or not found; 2 wrong use or unreadable file (check)\n";

bool readDescriptor(int fd, std::string& contents) {
    char buffer[1 << 16];
    for (;;) {
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        contents.append(buffer, static_cast<size_t>(n));
    }
}

bool readAll(const std::string& path, std::string& contents) {
    if (path == "-") return readDescriptor(STDIN_FILENO, contents);
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = readDescriptor(fd, contents);
    int error = errno;
    close(fd);
    errno = error;
    return ok;
}

int cannotRead(const std::string& path, const std::string& why) {
    std::cerr << "translation-file: cannot read " << path << ": " << why << "\n";
    return 1;
}

// A dictionary is an ordinary file (a link to one will do). The open does not wait, so a
// FIFO cannot hold the command, and anything but an ordinary file is refused: reading a
// pipe or a device such as /dev/zero never ends. -1, with `why`, when it cannot be had.
int openDictionary(const std::string& path, std::string& why) {
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat info {};
    if (fd < 0) {
        why = std::strerror(errno);
    } else if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        why = "it is not an ordinary file";
        close(fd);
        fd = -1;
    }
    return fd;
}

bool readDictionary(const std::string& path, std::string& contents, std::string& why) {
    int fd = openDictionary(path, why);
    if (fd < 0) return false;
    bool ok = readDescriptor(fd, contents);
    if (!ok) why = std::strerror(errno);
    close(fd);
    return ok;
}

// Output that did not all arrive (a full disk, a quota) leaves a cut text behind whoever
// reads it; it is named, so that nobody takes it for a whole one.
bool flushed() {
    std::cout.flush();
    if (std::cout) return true;
    std::cerr << "translation-file: cannot write to standard output: "
              << (errno ? std::strerror(errno) : "the output was cut short") << "; what was written is incomplete\n";
    return false;
}

int exportCommand(const std::string& dictionary) {
    std::string bytes, why;
    if (!readDictionary(dictionary, bytes, why)) return cannotRead(dictionary, why);
    try {
        std::cout << dictionary_text::exportText(bytes);
    } catch (const dictionary_text::FileError& error) {
        std::cerr << "translation-file: " << dictionary << " is no translation file: " << error.what() << "\n";
        return 1;
    }
    return flushed() ? 0 : 1;
}

int importCommand(const std::string& textPath, const std::string& dictionary) {
    // The lock comes first: nothing is read, let alone written, while an editor works on
    // the dictionary.
    dictionary_text::DictionaryLock lock;
    std::string why;
    if (!lock.lock(dictionary, why)) {
        std::cerr << "translation-file: cannot write " << dictionary << ": " << why << "\n"
                  << dictionary << " was not written\n";
        return 1;
    }
    std::string text;
    if (!readAll(textPath, text)) return cannotRead(textPath, std::strerror(errno));
    std::string bytes;
    try {
        bytes = dictionary_text::importText(text);
    } catch (const dictionary_text::RefusedText& refused) {
        for (const dictionary_text::TextError& error : refused.errors)
            std::cerr << textPath << (error.line > 0 ? ":" : ": ") << error.what() << "\n";
        if (refused.unnamed > 0) std::cerr << textPath << ": and " << refused.unnamed << " more refused lines\n";
        std::cerr << dictionary << " was not written\n";
        return 1;
    }
    if (!lock.replace(bytes, why)) {
        std::cerr << "translation-file: cannot write " << dictionary << ": " << why << "\n"
                  << dictionary << " is as it was\n";
        return 1;
    }
    return 0;
}

// Read in blocks of whole records and checked as it goes, so that the check costs about
// what reading the file costs.
int checkCommand(const std::string& dictionary) {
    std::string why;
    int fd = openDictionary(dictionary, why);
    struct stat info {};
    if (fd < 0 || fstat(fd, &info) != 0) {
        cannotRead(dictionary, fd < 0 ? why : std::strerror(errno));
        if (fd >= 0) close(fd);
        return 2;
    }
    posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    dictionary_text::DictionaryCheck check(static_cast<uint64_t>(info.st_size));
    constexpr size_t kBlock = 256 * dictionary_text::kRecordSize;
    std::string block(kBlock, '\0');
    size_t held = 0;
    uint64_t total = 0;
    for (;;) {
        ssize_t n = read(fd, block.data() + held, kBlock - held);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            cannotRead(dictionary, std::strerror(errno));
            close(fd);
            return 2;
        }
        held += static_cast<size_t>(n);
        total += static_cast<uint64_t>(n);
        size_t whole = held - held % dictionary_text::kRecordSize;
        for (size_t at = 0; at < whole; at += dictionary_text::kRecordSize)
            check.addRecord(std::string_view(block).substr(at, dictionary_text::kRecordSize));
        block.replace(0, held - whole, block, whole, held - whole);
        held -= whole;
        if (n == 0) break;
    }
    close(fd);
    if (total != uint64_t(info.st_size)) {
        std::cerr << "translation-file: " << dictionary << " changed while it was read; check it again\n";
        return 2;
    }
    size_t unsound = 0, warnings = 0;
    for (const dictionary_text::Finding& finding : check.finish()) {
        (finding.unsound ? unsound : warnings) += 1;
        std::cout << dictionary << (finding.unsound ? ": " : ": warning: ") << finding.message << "\n";
    }
    std::cout << dictionary << ": " << (unsound ? std::to_string(unsound) + " unsound" : std::string("sound")) << ", "
              << warnings << (warnings == 1 ? " warning\n" : " warnings\n");
    if (!flushed()) return 2;
    return unsound ? 1 : 0;
}

// The words as the file holds them, in Windows-1252.
std::optional<std::string> windows1252Words(const std::string& utf8) {
    std::string bytes;
    for (size_t pos = 0; pos < utf8.size();) {
        std::optional<char32_t> character = codepage::decodeUtf8(utf8, pos);
        std::optional<unsigned char> byte = character ? codepage::unicodeToWindows1252(*character) : std::nullopt;
        if (!byte || *byte == 0) return std::nullopt;
        bytes += static_cast<char>(*byte);
    }
    return bytes;
}

int findCommand(const std::string& dictionary, const std::string& words) {
    std::optional<std::string> keyWords = windows1252Words(words);
    if (!keyWords) {
        std::cerr << "translation-file: \"" << words << "\" holds a character no dictionary text can hold\n";
        return 2;
    }
    std::string bytes, why;
    if (!readDictionary(dictionary, bytes, why)) return cannotRead(dictionary, why);
    std::vector<size_t> found = dictionary_text::findEntries(bytes, *keyWords);
    if (found.empty()) {
        std::cerr << "translation-file: no entry of " << dictionary << " has the key words \"" << words << "\"\n";
        return 1;
    }
    for (size_t number : found)
        std::cout << dictionary_text::exportEntry(
            number,
            std::string_view(bytes).substr((number - 1) * dictionary_text::kRecordSize, dictionary_text::kRecordSize));
    std::cout << "\n# Find in the editor shows entry " << found.back()
              << (found.size() > 1 ? ", the last of " + std::to_string(found.size()) + " matches\n" : "\n");
    return flushed() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "export" && argc == 3) return exportCommand(argv[2]);
    if (command == "import" && argc == 4) return importCommand(argv[2], argv[3]);
    if (command == "check" && argc == 3) return checkCommand(argv[2]);
    if (command == "find" && argc == 4) return findCommand(argv[2], argv[3]);
    if (command == "help" || command == "-h" || command == "--help") {
        std::cout << kUsage;
        return flushed() ? 0 : 1;
    }
    std::cerr << kUsage;
    return 2;
}
