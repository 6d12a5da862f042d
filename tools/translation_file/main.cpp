// translation-file: a translation file as readable text and back.
//   translation-file export DICT.dat > DICT.txt
//   translation-file import DICT.txt DICT.dat
#include "dictionary_text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char kUsage[] =
    "usage: translation-file export DICT.dat        write the dictionary as text to standard output\n"
    "       translation-file import TEXT DICT.dat   make the dictionary from the text (- reads standard input)\n";

bool readAll(const std::string& path, std::string& contents) {
    std::ostringstream buffer;
    if (path == "-") {
        buffer << std::cin.rdbuf();
    } else {
        std::ifstream in(path, std::ios::binary);
        if (!in) return false;
        buffer << in.rdbuf();
        if (in.bad()) return false;
    }
    contents = buffer.str();
    return true;
}

// The dictionary appears whole or not at all: written beside its place, then renamed over it.
bool writeWhole(const std::string& path, const std::string& bytes, std::string& why) {
    std::string temporary = path + ".XXXXXX";
    int fd = mkstemp(temporary.data());
    if (fd < 0) {
        why = std::strerror(errno);
        return false;
    }
    size_t written = 0;
    while (written < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        written += static_cast<size_t>(n);
    }
    bool ok = written == bytes.size() && fsync(fd) == 0;
    if (!ok) why = std::strerror(errno);
    // mkstemp makes the file private; a dictionary is an ordinary file.
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    if (close(fd) != 0 && ok) {
        ok = false;
        why = std::strerror(errno);
    }
    if (ok && std::rename(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        why = std::strerror(errno);
    }
    if (!ok) std::remove(temporary.c_str());
    return ok;
}

int exportCommand(const std::string& dictionary) {
    std::string bytes;
    if (!readAll(dictionary, bytes)) {
        std::cerr << "translation-file: cannot read " << dictionary << ": " << std::strerror(errno) << "\n";
        return 1;
    }
    try {
        std::cout << dictionary_text::exportText(bytes);
    } catch (const dictionary_text::FileError& error) {
        std::cerr << "translation-file: " << dictionary << " is no translation file: " << error.what() << "\n";
        return 1;
    }
    std::cout.flush();
    return std::cout ? 0 : 1;
}

int importCommand(const std::string& textPath, const std::string& dictionary) {
    std::string text;
    if (!readAll(textPath, text)) {
        std::cerr << "translation-file: cannot read " << textPath << ": " << std::strerror(errno) << "\n";
        return 1;
    }
    std::string bytes;
    try {
        bytes = dictionary_text::importText(text);
    } catch (const dictionary_text::TextError& error) {
        std::cerr << textPath << ":" << error.what() << "\n" << dictionary << " was not written\n";
        return 1;
    }
    std::string why;
    if (!writeWhole(dictionary, bytes, why)) {
        std::cerr << "translation-file: cannot write " << dictionary << ": " << why << "\n";
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "export" && argc == 3) return exportCommand(argv[2]);
    if (command == "import" && argc == 4) return importCommand(argv[2], argv[3]);
    std::cerr << kUsage;
    return command == "help" || command == "--help" ? 0 : 2;
}
