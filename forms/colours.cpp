// Control colours: each control of a dialog keeps its colours and background brush in
// window properties, and a subclass procedure answers the colour requests the dialog
// procedure reflects to it, reports Tab and Enter when asked to, paints owner-drawn
// command buttons and shows the images of bitmap controls.
#include "forms/colours.h"

#include "forms/button_drawing.h"
#include "forms/dialog_description.h"
#include "forms/images.h"

#include <windows.h>

namespace {

HANDLE asProperty(UINT_PTR value) { return reinterpret_cast<HANDLE>(value); }
UINT_PTR propertyValue(HWND window, const char* name) { return reinterpret_cast<UINT_PTR>(GetPropA(window, name)); }

struct ColourScheme {
    int backgroundIndex;
    bool hasBrush;
    WNDPROC subclass;
};

ColourScheme schemeFor(int32_t kind) {
    switch (kind) {
    case kindCommandButton:
        return {COLOR_BTNFACE, true, buttonSubclass};
    case kindCheckBox:
    case kindRadioButton:
    case kindGroupBox:
    case kindPlainButton:
        return {COLOR_BTNFACE, true, controlSubclass};
    case kindLabel:
        return {COLOR_BTNFACE, true, staticSubclass};
    case kindScrollBar:
        return {COLOR_SCROLLBAR, false, controlSubclass};
    default:  // edits, list and combo boxes, and every other kind
        return {COLOR_WINDOW, true, controlSubclass};
    }
}

LRESULT passOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto previous = reinterpret_cast<WNDPROC>(GetPropA(window, previousProcedureProperty));
    return previous ? CallWindowProcA(previous, window, message, wParam, lParam) : 0;
}

LRESULT answerColourRequest(HWND window, HDC dc) {
    SetTextColor(dc, static_cast<COLORREF>(propertyValue(window, textColourProperty)));
    SetBkColor(dc, static_cast<COLORREF>(propertyValue(window, backgroundColourProperty)));
    return static_cast<LRESULT>(propertyValue(window, backgroundBrushProperty));
}

// Controls made from a template share the dialog's font, which the dialog manager
// releases with the dialog; deleting it once per control would delete it many times
// over. A control therefore deletes its font only when it is not its parent's, that is
// when the control owns it alone.
void deleteOwnFont(HWND window) {
    auto font = reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0));
    if (!font) return;
    HWND parent = GetParent(window);
    if (parent && reinterpret_cast<HGDIOBJ>(SendMessageA(parent, WM_GETFONT, 0, 0)) == font) return;
    DeleteObject(font);
}

void deleteImage(HWND window, UINT getImageMessage) {
    if (auto image = reinterpret_cast<HGDIOBJ>(SendMessageA(window, getImageMessage, IMAGE_BITMAP, 0)))
        DeleteObject(image);
}

void releaseColours(HWND window) {
    auto brush = reinterpret_cast<HGDIOBJ>(RemovePropA(window, backgroundBrushProperty));
    RemovePropA(window, backgroundColourProperty);
    RemovePropA(window, textColourProperty);
    if (brush) DeleteObject(brush);
}

// Puts the control's own procedure back and hands it the message that ends the control.
LRESULT unsubclassAndPassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto previous = reinterpret_cast<WNDPROC>(RemovePropA(window, previousProcedureProperty));
    if (!previous) return 0;
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    return CallWindowProcA(previous, window, message, wParam, lParam);
}

// A bitmap control's text names its image: a new text replaces the image it shows.
void replaceImage(HWND window, const char* name, UINT getImageMessage, UINT setImageMessage) {
    deleteImage(window, getImageMessage);
    HBITMAP image = loadControlImage(name);
    SendMessageA(window, setImageMessage, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image));
}

bool notifiesParent(HWND window, WPARAM character, WORD& code) {
    if (character == VK_TAB && GetPropA(window, notifyTabProperty)) {
        code = notifyTabCode;
        return true;
    }
    if (character == VK_RETURN && GetPropA(window, notifyEnterProperty)) {
        code = notifyEnterCode;
        return true;
    }
    return false;
}

}  // namespace

int32_t attachControlColours(HWND control, int32_t kind) {
    if (!control) return 0;
    ColourScheme scheme = schemeFor(kind);
    COLORREF background = GetSysColor(scheme.backgroundIndex);
    SetPropA(control, textColourProperty, asProperty(GetSysColor(COLOR_BTNTEXT)));
    SetPropA(control, backgroundColourProperty, asProperty(background));
    SetPropA(control, backgroundBrushProperty, scheme.hasBrush ? CreateSolidBrush(background) : nullptr);
    LONG_PTR previous = SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(scheme.subclass));
    SetPropA(control, previousProcedureProperty, reinterpret_cast<HANDLE>(previous));
    return 0;
}

LRESULT CALLBACK controlSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        deleteOwnFont(window);
        releaseColours(window);
        RemovePropA(window, notifyTabProperty);
        RemovePropA(window, notifyEnterProperty);
        return unsubclassAndPassOn(window, message, wParam, lParam);
    case reflectedColourRequest:
    case WM_CTLCOLOREDIT:     // a combo box's own edit part
    case WM_CTLCOLORLISTBOX:  // and its list part
        return answerColourRequest(window, reinterpret_cast<HDC>(wParam));
    case WM_CHAR: {
        WORD code = 0;
        if (!notifiesParent(window, wParam, code)) break;
        WPARAM command = MAKEWPARAM(GetDlgCtrlID(window), code);
        SendMessageA(GetParent(window), WM_COMMAND, command, reinterpret_cast<LPARAM>(window));
        return 1;  // the character is consumed
    }
    default:
        break;
    }
    return passOn(window, message, wParam, lParam);
}

LRESULT CALLBACK buttonSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETTEXT:
        if (styleOf(window) & BS_BITMAP)
            replaceImage(window, reinterpret_cast<const char*>(lParam), BM_GETIMAGE, BM_SETIMAGE);
        break;
    case WM_DESTROY:
        deleteOwnFont(window);
        deleteImage(window, BM_GETIMAGE);
        releaseColours(window);
        return unsubclassAndPassOn(window, message, wParam, lParam);
    case reflectedColourRequest:
        return answerColourRequest(window, reinterpret_cast<HDC>(wParam));
    case WM_DRAWITEM:
        drawButton(window, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        break;
    default:
        break;
    }
    return passOn(window, message, wParam, lParam);
}

LRESULT CALLBACK staticSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETTEXT:
        // SS_BITMAP; SS_ENHMETAFILE carries the same bits and passes too.
        if ((styleOf(window) & SS_BITMAP) == SS_BITMAP)
            replaceImage(window, reinterpret_cast<const char*>(lParam), STM_GETIMAGE, STM_SETIMAGE);
        break;
    case WM_DESTROY:
        deleteOwnFont(window);
        deleteImage(window, STM_GETIMAGE);
        releaseColours(window);
        return unsubclassAndPassOn(window, message, wParam, lParam);
    case reflectedColourRequest:
        return answerColourRequest(window, reinterpret_cast<HDC>(wParam));
    default:
        break;
    }
    return passOn(window, message, wParam, lParam);
}
