// The headless display is what every window, dialog and editor test runs on: its steps,
// typed chords, clock, surfaces and close requests are checked through those tests. What
// they cannot show is a test that stops short: a program left waiting with no step to run
// must end the test with a message, never hang.
#include "display/headless/headless.h"

#include <gtest/gtest.h>

TEST(HeadlessStepsDeathTest, WaitingWithNoStepLeftAbortsWithAMessage) {
    EXPECT_DEATH(
        {
            display::HeadlessBackend backend;
            display::Event event;
            backend.nextEvent(event, true);
        },
        "program waits for input but the test has no step left");
}
