// Any bytes as a dictionary, opened by the whole editor on the headless display and run
// through one maintenance pass chosen by the first byte. The program must end normally,
// and the new dictionary must hold no more entries than the old one had and nothing
// after them.
#include "editor_session.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace hardening;
    if (size < 1 || size > 8 * recordSize) return 0;
    const int button = 42 + data[0] % 6;
    const std::string dictionary(reinterpret_cast<const char*>(data + 1), size - 1);

    EditorSession session;
    testfs::writeBytes(session.dictionaryPath(), dictionary);
    session.setWaitLimit(200);
    session.addAction([button] {
        setControlText(48, "2");
        clickControl(button);
    });
    check(session.run() == 0);
    // The session reports a stall or a missing form as a test failure.
    check(!::testing::UnitTest::GetInstance()->ad_hoc_test_result().Failed());
    check(!std::filesystem::exists(session.workFilePath()));

    check(passResultFault(dictionary, testfs::readBytes(session.dictionaryPath())).empty());
    return 0;
}
