// The in-memory dialog template, byte for byte against the tests' own writer, with the
// texts that could overrun it, and the pixel-to-dialog-unit rule: edges are rounded, and
// halves, which the editor form's own positions never produce, go to the even neighbour.

#include <gtest/gtest.h>

#include "forms/dialog_description.h"
#include "forms/dialog_registry.h"
#include "forms/templates.h"
#include "template_builder.h"

#include <algorithm>
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

// The same template as the published layout gives it, from the tests' own writer.
Bytes expected(const testdialogs::DialogLayout& layout, size_t size) {
    std::vector<DWORD> block = testdialogs::TemplateBuilder::build(layout);
    const auto* bytes = reinterpret_cast<const uint8_t*>(block.data());
    return Bytes(bytes, bytes + std::min(size, block.size() * sizeof(DWORD)));
}

testdialogs::DialogLayout editorFormLayout(std::u16string title) {
    testdialogs::DialogLayout layout;
    layout.style = 0x90C800C0;
    layout.x = 0, layout.y = 4, layout.cx = 530, layout.cy = 271;
    layout.windowClass = testdialogs::Field::name(u"MarlowDlgClass");
    layout.title = std::move(title);
    return layout;
}

DialogHeader editorFormHeader(const char* title) {
    DialogHeader header;
    header.style = 0x90C800C0;
    header.y = 4;
    header.width = 530;
    header.height = 271;
    header.baseUnitX = 6;
    header.baseUnitY = 13;
    lstrcpynA(header.title, title, sizeof header.title);
    return header;
}

ControlRecord control(const char* className, char* text, uint32_t style, int32_t x, int32_t y, int32_t width,
                      int32_t height, int32_t id) {
    ControlRecord record;
    record.style = style;
    record.x = x;
    record.y = y;
    record.width = width;
    record.height = height;
    record.id = id;
    lstrcpynA(record.className, className, sizeof record.className);
    record.text = text;
    return record;
}

TEST(DialogTemplate, ThreeControlsFollowInListOrderEachOnAFourByteBoundary) {
    char okText[] = "OK", emptyText[] = "", labelText[] = "1 Key";
    // x -1 is stored as a 16-bit two's complement; of the id only the low 16 bits fit.
    ControlRecord button = control("BUTTON", okText, 0x5000000B, -1, 2, 40, 14, 0x12345);
    ControlRecord edit = control("EDIT", emptyText, 0x50800000, 30, 19, 310, 12, 6);
    edit.extendedStyle = 0x200;
    ControlRecord label = control("STATIC", labelText, 0x5000010B, 0, 0, 0, 0, 1);
    DialogHeader header = editorFormHeader("Form");
    header.controls = &button;
    button.next = &edit;
    edit.next = &label;

    using testdialogs::Field;
    testdialogs::DialogLayout layout = editorFormLayout(u"Form");
    layout.items = {{0x5000000B, 0, -1, 2, 40, 14, 0x2345, Field::name(u"BUTTON"), Field::name(u"OK"), {}},
                    {0x50800000, 0x200, 30, 19, 310, 12, 6, Field::name(u"EDIT"), Field::name(u""), {}},
                    {0x5000010B, 0, 0, 0, 0, 0, 1, Field::name(u"STATIC"), Field::name(u"1 Key"), {}}};
    // Items at 92, 132 and 164, each on a four-byte boundary; the last ends at 210, padded.
    Bytes bytes = build(header);
    ASSERT_EQ(bytes.size(), 212u);
    EXPECT_EQ(bytes, expected(layout, 212));
}

TEST(DialogTemplate, TitlesAreConvertedFromTheAnsiCodePageAndKeptWhole) {
    // Windows-1252: 0xE9 is U+00E9, 0x80 the euro sign U+20AC.
    Bytes bytes = build(editorFormHeader("caf\xE9 \x80"));
    EXPECT_EQ(bytes, expected(editorFormLayout(u"caf\u00E9 \u20AC"), bytes.size()));

    bytes = build(editorFormHeader(std::string(255, 'T').c_str()));
    ASSERT_GE(bytes.size(), 50u + 512);
    for (int i = 0; i < 255; ++i) ASSERT_EQ(bytes[50 + 2 * i], 'T') << i;
    EXPECT_EQ(bytes[50 + 510], 0);
    EXPECT_EQ(bytes[50 + 512], 8);  // point size right after the terminator

    // Without controls the template ends after the face name, padded: 82 rounded up.
    bytes = build(editorFormHeader(""));
    ASSERT_EQ(bytes.size(), 84u);
    EXPECT_EQ(bytes[50], 0);
    EXPECT_EQ(bytes[51], 0);
    EXPECT_EQ(bytes[52], 8);
    EXPECT_EQ(bytes[82], 0);
    EXPECT_EQ(bytes[83], 0);
}

TEST(DialogUnits, EdgesAreRoundedNotSizesAndHalvesGoToTheEvenNeighbour) {
    struct Row {
        int32_t x, y, width, height, baseX, baseY;
        DialogUnits want;
    };
    const Row rows[] = {
        {1, 0, 1, 0, 6, 13, {1, 0, 0, 0}},   // round(4/6) = 1 and round(8/6) = 1, so the width is 0
        {5, 0, 0, 0, 8, 8, {2, 0, 0, 0}},    // 2.5 -> 2
        {3, 0, 0, 0, 8, 8, {2, 0, 0, 0}},    // 1.5 -> 2
        {7, 0, 0, 0, 8, 8, {4, 0, 0, 0}},    // 3.5 -> 4
        {-5, 0, 0, 0, 8, 8, {-2, 0, 0, 0}},  // -2.5 -> -2
        {0, 5, 0, 6, 8, 16, {0, 2, 0, 4}},   // y 2.5 -> 2, the bottom edge 5.5 -> 6
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.x << "," << row.y << " " << row.width << "x" << row.height);
        DialogUnits got = toDialogUnits(row.x, row.y, row.width, row.height, row.baseX, row.baseY);
        EXPECT_EQ(got.x, row.want.x);
        EXPECT_EQ(got.y, row.want.y);
        EXPECT_EQ(got.width, row.want.width);
        EXPECT_EQ(got.height, row.want.height);
    }
}

}  // namespace
