// How long a full repaint of the editor form's client area takes: 795 x 440 pixels,
// 44 controls, each drawn through its own device context as the window manager hands
// them out.
#include "display/display.h"
#include "gdi/surface_dc.h"

#include <windows.h>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

enum class Kind { Label, Edit, Button };

struct Control {
    Kind kind;
    RECT rect;
    std::string text;
};

// A form laid out like the editor's: numbered labels beside twelve fields, buttons in
// rows below.
std::vector<Control> editorLikeForm() {
    std::vector<Control> controls;
    for (int i = 0; i < 12; ++i) {
        int top = 31 + i * 25;
        controls.push_back({Kind::Label, RECT{8, top + 2, 44, top + 15}, std::to_string(i + 1) + " ="});
        controls.push_back({Kind::Edit, RECT{45, top, 510, top + 20}, "reply text of the entry " + std::to_string(i)});
    }
    for (int i = 0; i < 6; ++i)
        controls.push_back({Kind::Label, RECT{520, 31 + i * 25, 785, 46 + i * 25}, "explains what the field holds"});
    const char* buttons[] = {"Up",
                             "Down",
                             "Goto",
                             "Find",
                             "Add",
                             "OK",
                             "Cancel",
                             "del .lnk's",
                             "del if 4 = ",
                             "del SC's",
                             "del unused",
                             "extract words",
                             "make 1 = 0 if > 10",
                             "Entry"};
    for (int i = 0; i < 14; ++i) {
        int row = i / 7;
        int column = i % 7;
        controls.push_back(
            {Kind::Button, RECT{8 + column * 110, 340 + row * 40, 108 + column * 110, 363 + row * 40}, buttons[i]});
    }
    return controls;
}

void drawControl(HDC dc, const Control& control, RECT client) {
    switch (control.kind) {
    case Kind::Label: {
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
        SetBkMode(dc, TRANSPARENT);
        DrawTextA(dc, control.text.c_str(), -1, &client, DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS);
        break;
    }
    case Kind::Edit: {
        DrawEdge(dc, &client, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        TextOutA(dc, client.left + 1, client.top + 1, control.text.data(), static_cast<int>(control.text.size()));
        break;
    }
    case Kind::Button: {
        RECT face = client;
        DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &face, nullptr, 0, nullptr);
        SetBkMode(dc, TRANSPARENT);
        SIZE size;
        GetTextExtentPoint32A(dc, control.text.data(), static_cast<int>(control.text.size()), &size);
        DrawTextA(dc, control.text.c_str(), -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        break;
    }
    }
}

void FullFormRepaint(benchmark::State& state) {
    constexpr int kWidth = 795;
    constexpr int kHeight = 440;
    display::Pixels surface;
    surface.resize(kWidth, kHeight);
    std::vector<Control> controls = editorLikeForm();
    HFONT font = CreateFontA(8, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    for (auto _ : state) {
        HDC form = gdi::createSurfaceDC(surface, POINT{0, 0}, RECT{0, 0, kWidth, kHeight});
        RECT all{0, 0, kWidth, kHeight};
        FillRect(form, &all, GetSysColorBrush(COLOR_BTNFACE));
        DeleteDC(form);
        for (const Control& control : controls) {
            const RECT& r = control.rect;
            HDC dc = gdi::createSurfaceDC(surface, POINT{r.left, r.top}, r);
            HGDIOBJ previous = SelectObject(dc, font);
            drawControl(dc, control, RECT{0, 0, r.right - r.left, r.bottom - r.top});
            SelectObject(dc, previous);
            DeleteDC(dc);
        }
        benchmark::DoNotOptimize(surface.data.data());
        benchmark::ClobberMemory();
    }
    DeleteObject(font);
    state.counters["controls"] = static_cast<double>(controls.size());
}
BENCHMARK(FullFormRepaint)->Unit(benchmark::kMicrosecond);

void TextMeasure(benchmark::State& state) {
    display::Pixels surface;
    surface.resize(10, 10);
    HDC dc = gdi::createSurfaceDC(surface, POINT{0, 0}, RECT{0, 0, 10, 10});
    HFONT font = CreateFontA(8, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    SelectObject(dc, font);
    const char text[] = "Not Found, click Add To Put into TF";
    for (auto _ : state) {
        SIZE size;
        GetTextExtentPoint32A(dc, text, sizeof text - 1, &size);
        benchmark::DoNotOptimize(size);
    }
    DeleteDC(dc);
    DeleteObject(font);
}
BENCHMARK(TextMeasure);

}  // namespace
