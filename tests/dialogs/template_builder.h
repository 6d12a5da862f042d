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

    static Field none() { return {}; }
    static Field number(WORD value) { return {Kind::Ordinal, value, {}}; }
    static Field name(std::u16string value) { return {Kind::Text, 0, std::move(value)}; }
};

struct ItemSpec {
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    WORD id = 0;
    Field windowClass;
    Field title = Field::name(u"");
    std::vector<BYTE> creationData;
};

struct DialogSpec {
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 200, cy = 100;
    Field menu;
    Field windowClass;
    std::u16string title = u"Test dialog";
    WORD pointSize = 8;
    std::u16string faceName = u"MS Sans Serif";
    std::vector<ItemSpec> items;
};

class TemplateBuilder {
public:
    // The template in a block aligned like GlobalAlloc's.
    static std::vector<DWORD> build(const DialogSpec& spec) {
        TemplateBuilder out;
        out.dword(spec.style);
        out.dword(spec.exStyle);
        out.word(static_cast<WORD>(spec.items.size()));
        out.rect(spec.x, spec.y, spec.cx, spec.cy);
        out.field(spec.menu);
        out.field(spec.windowClass);
        out.text(spec.title);
        if (spec.style & DS_SETFONT) {
            out.word(spec.pointSize);
            out.text(spec.faceName);
        }
        for (const ItemSpec& item : spec.items) {
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
        for (short v : {x, y, cx, cy})
            word(static_cast<WORD>(v));
    }
    void text(const std::u16string& value) {
        for (char16_t unit : value)
            word(static_cast<WORD>(unit));
        word(0);
    }
    void field(const Field& value) {
        switch (value.kind) {
        case Field::Kind::None: word(0); break;
        case Field::Kind::Ordinal: word(0xFFFF); word(value.ordinal); break;
        case Field::Kind::Text: text(value.text); break;
        }
    }
    void align() {
        while (bytes_.size() % 4)
            bytes_.push_back(0);
    }

    std::vector<BYTE> bytes_;
};

}  // namespace testdialogs
