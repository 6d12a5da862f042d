// The in-memory dialog template, byte for byte, and the pixel-to-dialog-unit rule.
#include "dialogs.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes build(const DialogHeader& header) {
    uint32_t size = measureTemplate(header);
    // Filled with a marker so that bytes the builder leaves alone, and bytes written past
    // the measured size, show.
    Bytes block(size + 16, 0xAA);
    buildTemplate(block.data(), header);
    for (size_t i = size; i < block.size(); ++i) EXPECT_EQ(block[i], 0xAA) << "written past the end at " << i;
    block.resize(size);
    return block;
}

// Expected bytes, spelled out field by field.
struct Expected {
    Bytes bytes;
    void word(uint16_t v) {
        bytes.push_back(static_cast<uint8_t>(v & 0xFF));
        bytes.push_back(static_cast<uint8_t>(v >> 8));
    }
    void dword(uint32_t v) {
        word(static_cast<uint16_t>(v & 0xFFFF));
        word(static_cast<uint16_t>(v >> 16));
    }
    void units(std::initializer_list<uint16_t> values) {
        for (uint16_t v : values) word(v);
    }
    void ascii(const char* text) {  // plain ASCII and its terminator
        for (const char* c = text; *c; ++c) word(static_cast<uint8_t>(*c));
        word(0);
    }
};

DialogHeader editorFormHeader(const char* title) {
    DialogHeader header;
    header.style = 0x90C800C0;
    header.x = 0;
    header.y = 4;
    header.width = 530;
    header.height = 271;
    header.baseUnitX = 6;
    header.baseUnitY = 13;
    lstrcpynA(header.title, title, sizeof header.title);
    return header;
}

TEST(DialogTemplate, DialogWithoutControlsEndsAfterFaceNameAndPadding) {
    DialogHeader header = editorFormHeader("Hi");
    const Bytes expected = {
        0xC0, 0x00, 0xC8, 0x90,  // style
        0x00, 0x00, 0x00, 0x00,  // extended style
        0x00, 0x00,              // no items
        0x00, 0x00, 0x04, 0x00, 0x12, 0x02, 0x0F, 0x01,  // 0, 4, 530, 271
        0x00, 0x00,              // no menu
        'M', 0, 'a', 0, 'r', 0, 'l', 0, 'o', 0, 'w', 0, 'D', 0, 'l', 0, 'g', 0,
        'C', 0, 'l', 0, 'a', 0, 's', 0, 's', 0, 0, 0,       // class, offset 20..49
        'H', 0, 'i', 0, 0, 0,                               // title, 50..55
        0x08, 0x00,                                         // 8 points
        'M', 0, 'S', 0, ' ', 0, 'S', 0, 'a', 0, 'n', 0, 's', 0, ' ', 0,
        'S', 0, 'e', 0, 'r', 0, 'i', 0, 'f', 0, 0, 0,       // face, 58..85
        0x00, 0x00,                                         // padding to 88
    };
    EXPECT_EQ(build(header), expected);
}

TEST(DialogTemplate, ThreeControlsFollowInListOrderEachOnAFourByteBoundary) {
    DialogHeader header = editorFormHeader("Form");
    ControlRecord button;
    button.style = 0x5000000B;
    button.x = -1;  // stored as a 16-bit two's complement
    button.y = 2;
    button.width = 40;
    button.height = 14;
    button.id = 0x12345;  // only the low 16 bits fit
    lstrcpynA(button.className, "BUTTON", 32);
    char okText[] = "OK";
    button.text = okText;
    ControlRecord edit;
    edit.style = 0x50800000;
    edit.extendedStyle = 0x200;
    edit.x = 30;
    edit.y = 19;
    edit.width = 310;
    edit.height = 12;
    edit.id = 6;
    lstrcpynA(edit.className, "EDIT", 32);
    char emptyText[] = "";
    edit.text = emptyText;
    ControlRecord label;
    label.style = 0x5000010B;
    label.id = 1;
    lstrcpynA(label.className, "STATIC", 32);
    char labelText[] = "1 Key";
    label.text = labelText;
    header.controls = &button;
    button.next = &edit;
    edit.next = &label;

    Expected e;
    e.dword(0x90C800C0);
    e.dword(0);
    e.word(3);
    e.units({0, 4, 530, 271});
    e.word(0);
    e.ascii("MarlowDlgClass");
    e.ascii("Form");
    e.word(8);
    e.ascii("MS Sans Serif");
    ASSERT_EQ(e.bytes.size(), 90u);
    e.word(0);  // padding to 92
    // Item 1 at 92: 18 bytes of fixed part, class, text, creation data: 92 + 18 + 14 + 6 + 2 = 132.
    e.dword(0x5000000B);
    e.dword(0);
    e.units({0xFFFF, 2, 40, 14, 0x2345});
    e.ascii("BUTTON");
    e.ascii("OK");
    e.word(0);
    ASSERT_EQ(e.bytes.size(), 132u);
    // Item 2 at 132: 132 + 18 + 10 + 2 + 2 = 164.
    e.dword(0x50800000);
    e.dword(0x200);
    e.units({30, 19, 310, 12, 6});
    e.ascii("EDIT");
    e.ascii("");
    e.word(0);
    ASSERT_EQ(e.bytes.size(), 164u);
    // Item 3 at 164: 164 + 18 + 14 + 12 + 2 = 210, padded to 212.
    e.dword(0x5000010B);
    e.dword(0);
    e.units({0, 0, 0, 0, 1});
    e.ascii("STATIC");
    e.ascii("1 Key");
    e.word(0);
    e.word(0);
    ASSERT_EQ(e.bytes.size(), 212u);

    EXPECT_EQ(build(header), e.bytes);
}

TEST(DialogTemplate, TitlesAreConvertedFromTheAnsiCodePageAndKeptWhole) {
    // Windows-1252: 0xE9 is U+00E9, 0x80 the euro sign U+20AC.
    DialogHeader accented = editorFormHeader("caf\xE9 \x80");
    Bytes bytes = build(accented);
    Expected title;
    title.units({'c', 'a', 'f', 0x00E9, ' ', 0x20AC, 0});
    EXPECT_EQ(Bytes(bytes.begin() + 50, bytes.begin() + 64), title.bytes);

    DialogHeader longest = editorFormHeader(std::string(255, 'T').c_str());
    bytes = build(longest);
    ASSERT_GE(bytes.size(), 50u + 512);
    for (int i = 0; i < 255; ++i) ASSERT_EQ(bytes[50 + 2 * i], 'T') << i;
    EXPECT_EQ(bytes[50 + 510], 0);
    EXPECT_EQ(bytes[50 + 512], 8);  // point size right after the terminator

    DialogHeader untitled = editorFormHeader("");
    bytes = build(untitled);
    EXPECT_EQ(bytes[50], 0);
    EXPECT_EQ(bytes[51], 0);
    EXPECT_EQ(bytes[52], 8);
    EXPECT_EQ(bytes.size(), 84u);  // 82 rounded up
}

TEST(DialogTemplate, TheLongestClassNameFillsThirtyTwoUnits) {
    DialogHeader header = editorFormHeader("");
    ControlRecord control;
    lstrcpynA(control.className, std::string(31, 'C').c_str(), 32);
    char text[] = "t";
    control.text = text;
    header.controls = &control;
    Bytes bytes = build(header);
    // Item at 84: class 31 units + terminator from 102 to 166, then "t".
    EXPECT_EQ(bytes[102 + 60], 'C');
    EXPECT_EQ(bytes[102 + 62], 0);
    EXPECT_EQ(bytes[102 + 64], 't');
    EXPECT_EQ(bytes.size(), 172u);
}

TEST(DialogUnits, EdgesAreRoundedNotSizes) {
    auto expectUnits = [](DialogUnits got, DialogUnits want) {
        EXPECT_EQ(got.x, want.x);
        EXPECT_EQ(got.y, want.y);
        EXPECT_EQ(got.width, want.width);
        EXPECT_EQ(got.height, want.height);
    };
    // The editor form and one of its fields with the base units 6 and 13.
    expectUnits(toDialogUnits(0, 7, 795, 440, 6, 13), {0, 4, 530, 271});
    expectUnits(toDialogUnits(45, 31, 465, 19, 6, 13), {30, 19, 310, 12});
    // x 1, width 1: round(4/6) = 1 and round(8/6) = 1, so the width is 0.
    expectUnits(toDialogUnits(1, 0, 1, 0, 6, 13), {1, 0, 0, 0});
}

TEST(DialogUnits, HalvesGoToTheEvenNeighbour) {
    // Base unit 8: x 5 is 2.5 -> 2, x 3 is 1.5 -> 2, x 7 is 3.5 -> 4, x -5 is -2.5 -> -2.
    EXPECT_EQ(toDialogUnits(5, 0, 0, 0, 8, 8).x, 2);
    EXPECT_EQ(toDialogUnits(3, 0, 0, 0, 8, 8).x, 2);
    EXPECT_EQ(toDialogUnits(7, 0, 0, 0, 8, 8).x, 4);
    EXPECT_EQ(toDialogUnits(-5, 0, 0, 0, 8, 8).x, -2);
    // Vertically with base unit 16: y 5 is 2.5 -> 2, and the bottom edge 5 + 6 = 5.5 -> 6.
    DialogUnits units = toDialogUnits(0, 5, 0, 6, 8, 16);
    EXPECT_EQ(units.y, 2);
    EXPECT_EQ(units.height, 4);
}

}  // namespace
