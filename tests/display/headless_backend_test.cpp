#include "display/headless/headless.h"

#include <gtest/gtest.h>

using display::Event;
using display::EventType;
using display::HeadlessBackend;

namespace {

std::vector<Event> drain(HeadlessBackend& backend) {
    std::vector<Event> events;
    Event event;
    while (backend.nextEvent(event, false)) events.push_back(event);
    return events;
}

}  // namespace

TEST(HeadlessSteps, AStepRunsOnlyWhenTheProgramWaitsAndItsFirstEventComesBack) {
    HeadlessBackend backend;
    int ran = 0;
    backend.addStep([&] {
        ++ran;
        backend.click(40, 50);
    });
    backend.addStep([&] { ++ran; });
    Event event;
    EXPECT_FALSE(backend.nextEvent(event, false));  // not waiting: no step runs
    EXPECT_EQ(ran, 0);

    ASSERT_TRUE(backend.nextEvent(event, true));
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(event.type, EventType::MouseMove);
    std::vector<Event> rest = drain(backend);
    ASSERT_EQ(rest.size(), 2u);
    EXPECT_EQ(rest[0].type, EventType::MouseDown);
    EXPECT_EQ(rest[1].type, EventType::MouseUp);
    EXPECT_EQ(rest[1].x, 40);
    EXPECT_EQ(rest[1].y, 50);
    EXPECT_EQ(rest[1].button, display::MouseButton::Left);

    // A step that injects nothing lets the program look at its own queues again.
    EXPECT_FALSE(backend.nextEvent(event, true));
    EXPECT_EQ(ran, 2);
    EXPECT_EQ(backend.stepsLeft(), 0u);
}

TEST(HeadlessSteps, PendingEventsComeBeforeAnyStep) {
    HeadlessBackend backend;
    bool ran = false;
    backend.addStep([&] { ran = true; });
    backend.type("a");
    Event event;
    ASSERT_TRUE(backend.nextEvent(event, true));
    EXPECT_EQ(event.type, EventType::Text);
    EXPECT_FALSE(ran);
    EXPECT_EQ(backend.stepsLeft(), 1u);
}

TEST(HeadlessStepsDeathTest, WaitingWithNoStepLeftAbortsWithAMessage) {
    EXPECT_DEATH(
        {
            HeadlessBackend backend;
            Event event;
            backend.nextEvent(event, true);
        },
        "program waits for input but the test has no step left");
}

TEST(HeadlessInput, ChordsPressTheirModifiersAroundTheKey) {
    HeadlessBackend backend;
    backend.key('A', display::ModControl | display::ModShift);
    std::vector<Event> events = drain(backend);
    std::vector<std::pair<EventType, uint32_t>> keys;  // 0x11 is Control, 0x10 Shift
    for (const Event& e : events) keys.emplace_back(e.type, e.virtualKey);
    const auto down = EventType::KeyDown, up = EventType::KeyUp;
    EXPECT_EQ(keys, (std::vector<std::pair<EventType, uint32_t>>{
                        {down, 0x11}, {down, 0x10}, {down, 'A'}, {up, 'A'}, {up, 0x10}, {up, 0x11}}));
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[2].modifiers, uint32_t(display::ModControl | display::ModShift));
    EXPECT_EQ(events[5].modifiers, 0u);

    // A modifier held down by hand shows on everything until it is released.
    backend.keyDown(0x12);
    backend.type("x");
    backend.click(1, 1);
    backend.keyUp(0x12);
    backend.key(0x0D);
    events = drain(backend);
    ASSERT_EQ(events.size(), 8u);
    EXPECT_EQ(events[1].modifiers, uint32_t(display::ModAlt));
    EXPECT_EQ(events[3].modifiers, uint32_t(display::ModAlt));
    EXPECT_EQ(events[6].modifiers, 0u);
}

TEST(HeadlessInput, ClockMovesOnlyWhenToldAndStampsEvents) {
    HeadlessBackend backend;
    uint32_t start = backend.now();
    backend.click(5, 5);
    backend.advanceClock(250);
    backend.click(5, 5);
    std::vector<Event> events = drain(backend);
    EXPECT_EQ(events[0].time, start);
    EXPECT_EQ(events[5].time, start + 250);
    EXPECT_EQ(backend.now(), start + 250);
}

// Surfaces, their order, clipboard, titles, moves and the cursor are checked through the
// window layer (EditTest, WindowWords, NonClientInput, MouseInput); a close request
// only here.
TEST(HeadlessSurfaces, ACloseRequestNamesItsSurface) {
    HeadlessBackend backend;
    auto id = backend.createSurface({0, 0, 10, 10}, "one");
    backend.requestClose(id);
    Event event;
    ASSERT_TRUE(backend.nextEvent(event, false));
    EXPECT_EQ(event.type, EventType::CloseRequest);
    EXPECT_EQ(event.surface, id);
}
