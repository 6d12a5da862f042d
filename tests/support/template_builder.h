// Writes dialog templates in the published in-memory layout for the tests, the way a
// program builds them: texts in UTF-16, items on DWORD boundaries.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace testdialogs {

// A menu, class or title field: absent, a number, or a text.
struct Field {
    enum class Kind { None, Ordinal, Text } kind = Kind::None;
    WORD ordinal = 0;
    std::u16string text;

    static Field number(WORD value) { return {Kind::Ordinal, value, {}}; }
    static Field name(std::u16string value) { return {Kind::Text, 0, std::move(value)}; }
};

struct ItemLayout {
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    WORD id = 0;
    Field windowClass;
    Field title = Field::name(u"");
    std::vector<BYTE> creationData;
};

struct DialogLayout {
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 200, cy = 100;
    Field menu;
    Field windowClass;
    std::u16string title = u"Test dialog";
    WORD pointSize = 8;
    std::u16string faceName = u"MS Sans Serif";
    std::vector<ItemLayout> items;
};

class TemplateBuilder {
public:
    // The template in a block aligned like GlobalAlloc's.
    static std::vector<DWORD> build(const DialogLayout& layout) {
        TemplateBuilder out;
        out.dword(layout.style);
        out.dword(layout.exStyle);
        out.word(static_cast<WORD>(layout.items.size()));
        out.rect(layout.x, layout.y, layout.cx, layout.cy);
        out.field(layout.menu);
        out.field(layout.windowClass);
        out.text(layout.title);
        if (layout.style & DS_SETFONT) {
            out.word(layout.pointSize);
            out.text(layout.faceName);
        }
        for (const ItemLayout& item : layout.items) {
            out.align();
            out.dword(item.style);
            out.dword(item.exStyle);
            out.rect(item.x, item.y, item.cx, item.cy);
            out.word(item.id);
            out.field(item.windowClass);
            out.field(item.title);
            out.word(static_cast<WORD>(item.creationData.size()));
            out.bytes_.insert(out.bytes_.end(), item.creationData.begin(), item.creationData.end());
        }
        std::vector<DWORD> block((out.bytes_.size() + 3) / 4 + 1, 0);
        std::memcpy(block.data(), out.bytes_.data(), out.bytes_.size());
        return block;
    }

private:
    void word(WORD value) {
        bytes_.push_back(static_cast<BYTE>(value & 0xFF));
        bytes_.push_back(static_cast<BYTE>(value >> 8));
    }
    void dword(DWORD value) {
        word(LOWORD(value));
        word(HIWORD(value));
    }
    void rect(short x, short y, short cx, short cy) {
        for (short v : {x, y, cx, cy}) word(static_cast<WORD>(v));
    }
    void text(const std::u16string& value) {
        for (char16_t unit : value) word(static_cast<WORD>(unit));
        word(0);
    }
    void field(const Field& value) {
        switch (value.kind) {
        case Field::Kind::None:
            word(0);
            break;
        case Field::Kind::Ordinal:
            word(0xFFFF);
            word(value.ordinal);
            break;
        case Field::Kind::Text:
            text(value.text);
            break;
        }
    }
    void align() {
        while (bytes_.size() % 4) bytes_.push_back(0);
    }

    std::vector<BYTE> bytes_;
};

}  // namespace testdialogs
