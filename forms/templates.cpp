// The in-memory dialog template: DLGTEMPLATE and one DLGITEMTEMPLATE a control, in the
// published layout (little-endian words, UTF-16 strings with terminators, items on
// 4-byte boundaries). One writer serves both the counting pass and the building pass,
// so the measured size is exactly the size built.

#include "forms/templates.h"

#include "forms/dialog_description.h"
#include "forms/dialog_registry.h"

#include <windows.h>

#include <algorithm>

namespace {

constexpr int titleLimit = 512;  // UTF-16 units, terminator included
constexpr int classNameLimit = 32;
constexpr int textLimit = 65535;
constexpr WORD fontPointSize = 8;
constexpr char fontFace[] = "MS Sans Serif";

class TemplateWriter {
public:
    explicit TemplateWriter(BYTE* block) : block_(block) {}

    uint32_t size() const { return offset_; }

    void word(WORD value) {
        put(static_cast<BYTE>(value & 0xFF));
        put(static_cast<BYTE>(value >> 8));
    }
    void dword(DWORD value) {
        word(static_cast<WORD>(value & 0xFFFF));
        word(static_cast<WORD>(value >> 16));
    }
    void coordinate(int32_t value) { word(static_cast<WORD>(static_cast<int16_t>(value))); }

    // The ANSI text converted to UTF-16, cut to limit units with its terminator.
    void string(const char* text, int limit) {
        int bytes = std::min(lstrlenA(text), limit - 1);
        int units = 0;
        if (bytes > 0) {
            // Converted in place: every Win32 system stores UTF-16 little-endian, as the
            // template wants it, and every string starts on an even offset.
            units = block_ ? MultiByteToWideChar(CP_ACP, 0, text, bytes, reinterpret_cast<LPWSTR>(block_ + offset_),
                                                 limit - 1)
                           : MultiByteToWideChar(CP_ACP, 0, text, bytes, nullptr, 0);
        }
        offset_ += 2 * static_cast<uint32_t>(units);
        word(0);
    }

    void alignToDword() {
        while (offset_ % 4 != 0) put(0);
    }

private:
    void put(BYTE value) {
        if (block_) block_[offset_] = value;
        ++offset_;
    }

    BYTE* block_;
    uint32_t offset_ = 0;
};

void writeTemplate(TemplateWriter& out, const DialogHeader& header) {
    WORD itemCount = 0;
    for (const ControlRecord* control = header.controls; control; control = control->next) ++itemCount;

    out.dword(header.style);
    out.dword(header.extendedStyle);
    out.word(itemCount);
    out.coordinate(header.x);
    out.coordinate(header.y);
    out.coordinate(header.width);
    out.coordinate(header.height);
    out.word(0);  // no menu
    out.string(dialogClassName, classNameLimit);
    out.string(header.title, titleLimit);
    out.word(fontPointSize);
    out.string(fontFace, LF_FACESIZE);
    out.alignToDword();

    for (const ControlRecord* control = header.controls; control; control = control->next) {
        out.dword(control->style);
        out.dword(control->extendedStyle);
        out.coordinate(control->x);
        out.coordinate(control->y);
        out.coordinate(control->width);
        out.coordinate(control->height);
        out.word(static_cast<WORD>(control->id));
        out.string(control->className, classNameLimit);
        out.string(control->text ? control->text : "", textLimit);
        out.word(0);  // no creation data
        out.alignToDword();
    }
}

}  // namespace

uint32_t measureTemplate(const DialogHeader& header) {
    TemplateWriter counter(nullptr);
    writeTemplate(counter, header);
    return counter.size();
}

void buildTemplate(void* block, const DialogHeader& header) {
    TemplateWriter writer(static_cast<BYTE*>(block));
    writeTemplate(writer, header);
}
