#include "user/dialogs/dialog_template.h"

#include <cstring>

namespace user::dialogs {

namespace {

// Walks the template's 16-bit words. Templates are built in memory by the program, so
// nothing here bounds the walk: a template is trusted to be well formed, as on Win32.
class TemplateReader {
public:
    explicit TemplateReader(const BYTE* start) : at_(start) {}

    WORD word() {
        WORD value;
        std::memcpy(&value, at_, sizeof value);
        at_ += sizeof value;
        return value;
    }
    DWORD dword() {
        DWORD value;
        std::memcpy(&value, at_, sizeof value);
        at_ += sizeof value;
        return value;
    }
    short signedWord() { return static_cast<short>(word()); }

    // A zero-terminated UTF-16 text, converted to the program's code page.
    std::string text() {
        std::u16string wide;
        for (WORD unit = word(); unit != 0; unit = word()) wide.push_back(static_cast<char16_t>(unit));
        if (wide.empty()) return {};
        int length =
            WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
        std::string narrow(static_cast<size_t>(length > 0 ? length : 0), '\0');
        if (length > 0)
            WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), narrow.data(), length, nullptr,
                                nullptr);
        return narrow;
    }

    // 0: absent; 0xFFFF: a number follows; anything else starts a text.
    NameOrOrdinal nameOrOrdinal() {
        NameOrOrdinal field;
        WORD first = peekWord();
        if (first == 0) {
            word();
        } else if (first == 0xFFFF) {
            word();
            field.ordinal = word();
        } else {
            field.text = text();
        }
        return field;
    }

    void bytes(std::vector<BYTE>& out, size_t count) {
        out.assign(at_, at_ + count);
        at_ += count;
    }

    void alignToDword() {
        auto address = reinterpret_cast<uintptr_t>(at_);
        at_ += (4 - address % 4) % 4;
    }

private:
    WORD peekWord() const {
        WORD value;
        std::memcpy(&value, at_, sizeof value);
        return value;
    }

    const BYTE* at_;
};

ItemTemplate readItem(TemplateReader& reader) {
    ItemTemplate item;
    item.style = reader.dword();
    item.exStyle = reader.dword();
    item.x = reader.signedWord();
    item.y = reader.signedWord();
    item.cx = reader.signedWord();
    item.cy = reader.signedWord();
    item.id = reader.word();
    item.windowClass = reader.nameOrOrdinal();
    if (const char* name = predefinedClassName(item.windowClass.ordinal)) {
        item.windowClass.ordinal = 0;
        item.windowClass.text = name;
    }
    item.title = reader.nameOrOrdinal();
    // The creation-data word counts the bytes that follow it.
    WORD extra = reader.word();
    if (extra != 0) reader.bytes(item.creationData, extra);
    return item;
}

}  // namespace

const char* predefinedClassName(WORD ordinal) {
    switch (ordinal) {
    case 0x80:
        return "Button";
    case 0x81:
        return "Edit";
    case 0x82:
        return "Static";
    case 0x83:
        return "ListBox";
    case 0x84:
        return "ScrollBar";
    case 0x85:
        return "ComboBox";
    default:
        return nullptr;
    }
}

bool parseDialogTemplate(const void* data, DialogTemplate& out) {
    if (!data) return false;
    TemplateReader reader(static_cast<const BYTE*>(data));
    out = DialogTemplate{};
    out.style = reader.dword();
    // The extended layout starts with the version word 1 and the signature 0xFFFF where
    // the classic one has its style.
    if (LOWORD(out.style) == 1 && HIWORD(out.style) == 0xFFFF) return false;
    out.exStyle = reader.dword();
    WORD itemCount = reader.word();
    out.x = reader.signedWord();
    out.y = reader.signedWord();
    out.cx = reader.signedWord();
    out.cy = reader.signedWord();
    out.menu = reader.nameOrOrdinal();
    out.windowClass = reader.nameOrOrdinal();
    out.title = reader.text();
    if (out.style & DS_SETFONT) {
        out.pointSize = reader.word();
        out.faceName = reader.text();
    }
    out.items.reserve(itemCount);
    for (WORD i = 0; i < itemCount; ++i) {
        reader.alignToDword();
        out.items.push_back(readItem(reader));
    }
    return true;
}

}  // namespace user::dialogs
