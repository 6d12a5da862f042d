// The command itself, as scripts and people run it: files in, files out, nothing written
// when anything is refused, and the lock it shares with the editor, against a real second
// process.
#include "dictionary_codec.h"
#include "temp_directory.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string kTool = TRANSLATION_FILE_TOOL;

class TranslationFileCommand : public testing::Test {
protected:
    std::string path(const std::string& name) const { return dir_.file(name); }
    static void write(const std::string& file, const std::string& contents) { testfs::writeBytes(file, contents); }
    static std::string read(const std::string& file) { return testfs::readBytes(file); }
    // Runs a shell command in the test's directory; returns its exit status, with standard
    // output and standard error in `output` and `errors`.
    int shell(const std::string& command, std::string* output = nullptr, std::string* errors = nullptr) const {
        std::string out = path(".stdout"), err = path(".stderr");
        int status = std::system(("cd " + dir_.path() + " && { " + command + " ; } >" + out + " 2>" + err).c_str());
        if (output) *output = read(out);
        if (errors) *errors = read(err);
        fs::remove(out);
        fs::remove(err);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    int run(const std::string& arguments, std::string* output = nullptr, std::string* errors = nullptr) const {
        return shell(kTool + " " + arguments, output, errors);
    }
    size_t filesInDir() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()));
    }

    testfs::TempDirectory dir_;
};

// Waits, without a deadline of its own, until some process holds a write lock on `file`.
bool lockedByAnotherProcess(const std::string& file) {
    for (int attempt = 0; attempt < 2000; ++attempt) {
        int fd = open(file.c_str(), O_RDWR);
        struct flock probe {};
        probe.l_type = F_WRLCK;
        probe.l_whence = SEEK_SET;
        bool locked = fd >= 0 && fcntl(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
        if (fd >= 0) close(fd);
        if (locked) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

TEST_F(TranslationFileCommand, ImportThenExportGivesTheSameText) {
    // Saved by an editor that starts UTF-8 with a byte-order mark.
    write(path("in.txt"),
          "\xEF\xBB\xBF[header]\n[entry 2]\nmode: 5\nkeyWords: \"good morning\"\ntranslation: \"bonjour\"\n");
    ASSERT_EQ(run("import in.txt d.dat"), 0);
    EXPECT_EQ(fs::file_size(path("d.dat")), 2u * 2056u);
    std::string text;
    ASSERT_EQ(run("export d.dat >out.txt"), 0);
    text = read(path("out.txt"));
    EXPECT_EQ(text.rfind("# translation file, 2 records of 2056 bytes\n", 0), 0u) << text;
    EXPECT_NE(text.find("translation: \"bonjour\"\n"), std::string::npos);
    ASSERT_EQ(run("import - again.dat <out.txt"), 0);
    EXPECT_EQ(read(path("again.dat")), read(path("d.dat")));
    // Importing over a dictionary keeps its permissions.
    fs::permissions(path("d.dat"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_EQ(run("import out.txt d.dat"), 0);
    EXPECT_EQ(fs::status(path("d.dat")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(filesInDir(), 4u);  // in.txt, d.dat, out.txt, again.dat: no temporary file left
}

TEST_F(TranslationFileCommand, RefusedImportsLeaveTheDictionaryAsItWas) {
    const std::string original(3 * 2056, '\x07');
    struct Case {
        std::string text;
        std::vector<std::string> says;
    };
    const Case cases[] = {
        {"", {"bad.txt: the text holds no records"}},
        {"[header]\n[entry 2]\nmode: 1\nwordClass: 3x\n[entry 4]\nkeyWords: \"a\n",
         {"bad.txt:line 4: ", "bad.txt:line 5: ", "bad.txt:line 6: "}},
        {"[header]\ncount: 20001\n[entry 2]\n[entry 3]\n",
         {"bad.txt:line 2: the count 20001 promises 20001 records, but the text holds only 3"}},
    };
    for (const Case& c : cases) {
        write(path("d.dat"), original);
        write(path("bad.txt"), c.text);
        std::string errors;
        EXPECT_EQ(run("import bad.txt d.dat", nullptr, &errors), 1) << c.text;
        for (const std::string& says : c.says) EXPECT_NE(errors.find(says), std::string::npos) << errors;
        EXPECT_NE(errors.find("d.dat was not written"), std::string::npos) << errors;
        EXPECT_EQ(read(path("d.dat")), original);
        EXPECT_EQ(filesInDir(), 2u);  // no temporary file left behind
        EXPECT_EQ(run("import bad.txt new.dat"), 1);
        EXPECT_FALSE(fs::exists(path("new.dat")));
    }
}

TEST_F(TranslationFileCommand, HelpAndWrongUse) {
    std::string output, errors;
    for (const char* help : {"-h", "--help", "help"}) {
        EXPECT_EQ(run(help, &output, &errors), 0) << help;
        EXPECT_NE(output.find("usage: translation-file export"), std::string::npos) << help;
        EXPECT_EQ(errors, "");
    }
    for (const char* wrong : {"", "frobnicate", "export", "import a.txt", "check a b", "find d.dat"}) {
        EXPECT_EQ(run(wrong, &output, &errors), 2) << wrong;
        EXPECT_NE(errors.find("usage:"), std::string::npos) << wrong;
    }
}

TEST_F(TranslationFileCommand, ExportRefusesWhatIsNoTranslationFile) {
    write(path("odd.dat"), std::string(2057, '\0'));
    std::string errors;
    EXPECT_EQ(run("export odd.dat >/dev/null", nullptr, &errors), 1);
    EXPECT_NE(errors.find("2057 bytes"), std::string::npos) << errors;
    EXPECT_EQ(run("export missing.dat >/dev/null", nullptr, &errors), 1);
    EXPECT_NE(errors.find("cannot read"), std::string::npos) << errors;
    // A full disk: the cut text is not taken for a whole one.
    write(path("d.dat"), std::string(2056, '\0'));
    EXPECT_EQ(run("export d.dat >/dev/full", nullptr, &errors), 1);
    EXPECT_NE(errors.find("cannot write to standard output: No space left on device"), std::string::npos) << errors;
}

// A FIFO or a device is no dictionary: each command says so at once (`timeout` turns a
// command that waits on the FIFO or reads /dev/zero for ever into a failure), and nothing
// takes the place of the special file.
TEST_F(TranslationFileCommand, SpecialFilesAreRefusedAtOnceAndLeftInPlace) {
    ASSERT_EQ(mkfifo(path("fifo.dat").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", path("zero.dat"));
    write(path("words.txt"), "[header]\n");
    for (const char* special : {"fifo.dat", "zero.dat"})
        for (const std::string& command :
             {std::string("export ") + special, std::string("check ") + special,
              std::string("find ") + special + " cat", std::string("import words.txt ") + special}) {
            std::string errors;
            int status = shell("timeout 10 " + kTool + " " + command + " >/dev/null", nullptr, &errors);
            EXPECT_NE(status, 0) << command;
            EXPECT_NE(status, 124) << command << ": still waiting after 10 s";
            EXPECT_NE(errors.find("not an ordinary file"), std::string::npos) << command << ": " << errors;
        }
    EXPECT_TRUE(fs::is_fifo(path("fifo.dat")));
    EXPECT_TRUE(fs::is_symlink(path("zero.dat")));
    EXPECT_TRUE(fs::is_character_file(path("zero.dat")));
}

TEST_F(TranslationFileCommand, CheckExitsNonZeroOnlyForWhatIsUnsound) {
    const std::string entries = "[header]\n[entry 2]\nkeyWords: \"cat\"\n[entry 3]\nkeyWords: \"cat\"\n";
    write(path("sound.txt"), entries);
    dict::TestEntry cat;
    cat.texts[dict::keyWords] = "cat";
    write(path("unsound.dat"), dict::dictionaryBytes(7, {cat}));
    ASSERT_EQ(run("import sound.txt sound.dat"), 0);
    std::string output;
    EXPECT_EQ(run("check sound.dat", &output), 0);  // warnings alone
    EXPECT_NE(output.find("sound.dat: sound, 1 warning\n"), std::string::npos) << output;
    EXPECT_NE(output.find("sound.dat: warning: entry 3: the key words \"cat\" are those of entry 2"), std::string::npos)
        << output;
    EXPECT_EQ(run("check unsound.dat", &output), 1);
    EXPECT_NE(output.find("unsound.dat: the count is 7 but"), std::string::npos) << output;
    EXPECT_NE(output.find("unsound.dat: 1 unsound, 0 warnings\n"), std::string::npos) << output;
    EXPECT_EQ(run("check missing.dat"), 2);
}

TEST_F(TranslationFileCommand, FindWritesTheMatchesAndSaysWhichTheEditorShows) {
    write(path("in.txt"),
          "[header]\n[entry 2]\nkeyWords: \"caf\xC3\xA9\"\nmode: 2\n[entry 3]\nkeyWords: \"cat\"\n"
          "[entry 4]\nkeyWords: \"caf\xC3\xA9\"\nmode: 4\n");
    ASSERT_EQ(run("import in.txt d.dat"), 0);
    std::string output, errors;
    ASSERT_EQ(run("find d.dat caf\xC3\xA9", &output), 0);
    EXPECT_NE(output.find("[entry 2]\nmode: 2\n"), std::string::npos) << output;
    EXPECT_NE(output.find("[entry 4]\nmode: 4\n"), std::string::npos) << output;
    EXPECT_EQ(output.find("[entry 3]"), std::string::npos) << output;
    EXPECT_NE(output.find("# Find in the editor shows entry 4, the last of 2 matches\n"), std::string::npos) << output;
    EXPECT_EQ(run("find d.dat caf", &output, &errors), 1);
    EXPECT_NE(errors.find("no entry"), std::string::npos);
    EXPECT_EQ(run("find d.dat \xE4\xB8\xAD"), 2);  // no Windows-1252 byte for it
}

TEST_F(TranslationFileCommand, ImportAndTheEditorNeverWriteTheSameDictionary) {
    const std::string original = std::string(2056, '\0') + std::string(2056, 'e');
    write(path("d.dat"), original);
    write(path("new.txt"), "[header]\n[entry 2]\nkeyWords: \"new\"\n");
    const std::string holder = std::string(HOLD_FOR_WRITING) + " " + path("d.dat");

    // An editor holds the dictionary: import refuses and writes nothing.
    FILE* editor = popen((holder + " >" + path("holder.out")).c_str(), "w");
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(lockedByAnotherProcess(path("d.dat")));
    std::string errors;
    EXPECT_EQ(run("import new.txt d.dat", nullptr, &errors), 1);
    EXPECT_NE(errors.find("open for writing elsewhere"), std::string::npos) << errors;
    EXPECT_EQ(read(path("d.dat")), original);
    EXPECT_EQ(pclose(editor), 0);
    EXPECT_EQ(read(path("holder.out")), "held\n");

    // The tool holds it while it reads its text: an editor starting then cannot open it.
    FILE* tool = popen((kTool + " import - " + path("d.dat")).c_str(), "w");
    ASSERT_NE(tool, nullptr);
    ASSERT_TRUE(lockedByAnotherProcess(path("d.dat")));
    std::string said;
    EXPECT_EQ(shell(holder + " </dev/null", &said), 1);
    EXPECT_EQ(said, "refused\n");
    std::fputs("[header]\n[entry 2]\nkeyWords: \"new\"\n", tool);
    EXPECT_EQ(pclose(tool), 0);
    EXPECT_EQ(shell(holder + " </dev/null", &said), 0);  // free again
    EXPECT_EQ(said, "held\n");
    EXPECT_EQ(dict::entryAt(read(path("d.dat")), 2).texts[dict::keyWords], "new");
}

TEST_F(TranslationFileCommand, GitDiffShowsChangedEntriesAsText) {
    write(path("v1.txt"),
          "[header]\n[entry 2]\nkeyWords: \"cat\"\ntranslation: \"chat\"\n"
          "[entry 3]\nkeyWords: \"dog\"\ntranslation: \"chien\"\n");
    write(path("v2.txt"),
          "[header]\n[entry 2]\nkeyWords: \"cat\"\ntranslation: \"chat\"\n"
          "[entry 3]\nkeyWords: \"dog\"\ntranslation: \"toutou\"\n");
    // The README's three lines, with the tool where the build put it.
    const std::string setUp =
        "git init -q . && git config user.email t@example.org && git config user.name t && "
        "echo 'TranslationFile.dat diff=translation' >.gitattributes && "
        "git config diff.translation.textconv '" +
        kTool +
        " export' && "
        "git config diff.translation.xfuncname '^\\[.*\\]$'";
    ASSERT_EQ(shell(setUp), 0);
    ASSERT_EQ(shell(kTool +
                    " import v1.txt TranslationFile.dat && git add TranslationFile.dat .gitattributes && "
                    "git commit -qm one && " +
                    kTool + " import v2.txt TranslationFile.dat && git commit -qam two"),
              0);
    std::string diff, errors;
    ASSERT_EQ(shell("git diff HEAD~1 HEAD", &diff, &errors), 0) << errors;
    EXPECT_NE(diff.find(" @@ [entry 3]\n"), std::string::npos) << diff;  // the hunk names the entry
    EXPECT_NE(diff.find("\n-translation: \"chien\"\n+translation: \"toutou\"\n"), std::string::npos) << diff;
    EXPECT_EQ(diff.find("\n-translation: \"chat\""), std::string::npos) << diff;
    ASSERT_EQ(shell("git log -p --format=%s", &diff), 0);
    EXPECT_NE(diff.find("+translation: \"toutou\""), std::string::npos) << diff;
}

}  // namespace
