// The command itself: files in, files out, and nothing written when the text is refused.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

class TranslationFileCommand : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/translation-file-test.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    static void write(const std::string& file, const std::string& contents) {
        std::ofstream(file, std::ios::binary) << contents;
    }
    static std::string read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream buffer;
        buffer << in.rdbuf();
        return buffer.str();
    }
    // Runs the tool; returns its exit status, with standard error in `errors`.
    int run(const std::string& arguments, std::string* errors = nullptr) const {
        std::string errorFile = path("stderr");
        int status = std::system((std::string(TRANSLATION_FILE_TOOL) + " " + arguments + " 2>" + errorFile).c_str());
        if (errors) *errors = read(errorFile);
        fs::remove(errorFile);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    size_t filesInDir() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
    }

    fs::path dir_;
};

TEST_F(TranslationFileCommand, ImportThenExportGivesTheSameText) {
    write(path("in.txt"), "[header]\n[entry 2]\nmode: 5\nkeyWords: \"good morning\"\ntranslation: \"bonjour\"\n");
    ASSERT_EQ(run("import " + path("in.txt") + " " + path("d.dat")), 0);
    EXPECT_EQ(fs::file_size(path("d.dat")), 2u * 2056u);
    ASSERT_EQ(run("export " + path("d.dat") + " >" + path("out.txt")), 0);
    std::string text = read(path("out.txt"));
    EXPECT_NE(text.find("count: 2\n"), std::string::npos);
    EXPECT_NE(text.find("translation: \"bonjour\"\n"), std::string::npos);
    ASSERT_EQ(run("import " + path("out.txt") + " " + path("again.dat")), 0);
    EXPECT_EQ(read(path("again.dat")), read(path("d.dat")));
    EXPECT_EQ(fs::status(path("d.dat")).permissions() & fs::perms::owner_read, fs::perms::owner_read);
}

TEST_F(TranslationFileCommand, ARefusedTextLeavesTheDictionaryAsItWas) {
    std::string original(3 * 2056, '\x07');
    write(path("d.dat"), original);
    write(path("bad.txt"), "[header]\n[entry 2]\nmode: 1\nwordClass: 3x\n");
    std::string errors;
    EXPECT_EQ(run("import " + path("bad.txt") + " " + path("d.dat"), &errors), 1);
    EXPECT_NE(errors.find("bad.txt:line 4: "), std::string::npos) << errors;
    EXPECT_NE(errors.find("was not written"), std::string::npos) << errors;
    EXPECT_EQ(read(path("d.dat")), original);
    EXPECT_EQ(filesInDir(), 2u);  // no temporary file left behind
    EXPECT_EQ(run("import " + path("bad.txt") + " " + path("new.dat")), 1);
    EXPECT_FALSE(fs::exists(path("new.dat")));
}

TEST_F(TranslationFileCommand, ExportRefusesWhatIsNoTranslationFile) {
    write(path("odd.dat"), std::string(2057, '\0'));
    std::string errors;
    EXPECT_EQ(run("export " + path("odd.dat") + " >/dev/null", &errors), 1);
    EXPECT_NE(errors.find("2057 bytes"), std::string::npos) << errors;
    EXPECT_EQ(run("export " + path("missing.dat") + " >/dev/null", &errors), 1);
    EXPECT_NE(errors.find("cannot read"), std::string::npos) << errors;
    EXPECT_EQ(run("frobnicate"), 2);
}

}  // namespace
