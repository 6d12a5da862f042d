// Opens a dictionary for writing as the editor does, in a process of its own, and holds it
// until its standard input ends. Prints "held" or "refused".
#include "runtime/files.h"

#include <cstdio>

// The editor's translation files are record files whose kind carries a 1 in its high word.
constexpr uint32_t kTranslationFileKind = 0x10000 | fileKindRecord;

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    FileVariable file = nullptr;
    if (openFile(&file, kTranslationFileKind, argv[1], "r+") != 0) {
        std::printf("refused\n");
        return 1;
    }
    std::printf("held\n");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    closeFile(&file, kTranslationFileKind);
    return 0;
}
