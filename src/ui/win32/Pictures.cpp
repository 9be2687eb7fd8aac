// GDI drawings of the splash and the emblem: a clean display adapter, scaled to the area the
// window designer gave the picture, with the words the program gave it.
#include "ui/win32/Pictures.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace ui::win32 {

namespace {

// Selects a GDI object for one scope and deletes it afterwards.
class Selected {
  public:
    Selected(HDC dc, HGDIOBJ object) : dc(dc), object(object), previous(SelectObject(dc, object)) {}
    ~Selected() {
        SelectObject(dc, previous);
        DeleteObject(object);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

  private:
    HDC dc;
    HGDIOBJ object;
    HGDIOBJ previous;
};

COLORREF blend(COLORREF from, COLORREF to, int step, int steps) {
    const auto mix = [&](int a, int b) { return a + (b - a) * step / (steps > 0 ? steps : 1); };
    return RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
               mix(GetBValue(from), GetBValue(to)));
}

void fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
    const RECT box{left, top, right, bottom};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &box, brush);
    DeleteObject(brush);
}

void verticalGradient(HDC dc, const RECT& area, COLORREF top, COLORREF bottom) {
    const int height = area.bottom - area.top;
    for (int y = 0; y < height; y += 2) {
        fill(dc, area.left, area.top + y, area.right, std::min<LONG>(area.top + y + 2, area.bottom),
             blend(top, bottom, y, height));
    }
}

HFONT makeFont(int height, int weight, const char* face) {
    return CreateFontA(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, face);
}

void text(HDC dc, const std::string& line, int x, int y, int height, int weight, COLORREF colour) {
    Selected font(dc, makeFont(height, weight, "Tahoma"));
    SetTextColor(dc, colour);
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, x, y, line.c_str(), static_cast<int>(line.size()));
}

// A display adapter seen from above: board, cooler with fan, edge connector, bracket. `unit` is
// the board's height; the drawing is about 1.7 units wide.
void drawAdapter(HDC dc, int left, int top, int unit) {
    const int width = unit * 17 / 10;
    const int fingersHeight = std::max(2, unit / 9);
    // Board.
    {
        Selected pen(dc, CreatePen(PS_SOLID, 1, RGB(10, 60, 30)));
        Selected brush(dc, CreateSolidBrush(RGB(28, 112, 58)));
        RoundRect(dc, left, top, left + width, top + unit - fingersHeight, unit / 10, unit / 10);
    }
    // Gold edge connector along the bottom.
    const int fingersLeft = left + width / 6;
    const int fingersRight = left + width * 5 / 6;
    const int fingerStep = std::max(3, unit / 14);
    for (int x = fingersLeft; x + fingerStep / 2 < fingersRight; x += fingerStep) {
        fill(dc, x, top + unit - fingersHeight, x + std::max(1, fingerStep / 2), top + unit,
             RGB(222, 184, 64));
    }
    // Bracket on the left side.
    fill(dc, left - unit / 12, top - unit / 12, left, top + unit - fingersHeight,
         RGB(170, 176, 188));
    // Cooler shroud with a fan.
    const int shroudLeft = left + width / 3;
    const int shroudTop = top + unit / 10;
    const int shroudRight = left + width - unit / 10;
    const int shroudBottom = top + unit - fingersHeight - unit / 10;
    {
        Selected pen(dc, CreatePen(PS_SOLID, 1, RGB(40, 44, 52)));
        Selected brush(dc, CreateSolidBrush(RGB(70, 76, 90)));
        RoundRect(dc, shroudLeft, shroudTop, shroudRight, shroudBottom, unit / 8, unit / 8);
    }
    const int centreX = (shroudLeft + shroudRight) / 2;
    const int centreY = (shroudTop + shroudBottom) / 2;
    const int radius = std::min(shroudRight - shroudLeft, shroudBottom - shroudTop) * 2 / 5;
    {
        Selected pen(dc, CreatePen(PS_SOLID, 1, RGB(20, 22, 28)));
        Selected brush(dc, CreateSolidBrush(RGB(36, 40, 48)));
        Ellipse(dc, centreX - radius, centreY - radius, centreX + radius, centreY + radius);
    }
    {
        Selected pen(dc, CreatePen(PS_SOLID, std::max(1, unit / 30), RGB(120, 128, 144)));
        // Four blades as arcs from the hub.
        const int r = radius * 9 / 10;
        const POINT tips[4] = {{centreX + r, centreY - r / 3},
                               {centreX - r / 3, centreY - r},
                               {centreX - r, centreY + r / 3},
                               {centreX + r / 3, centreY + r}};
        for (const POINT& tip : tips) {
            MoveToEx(dc, centreX, centreY, nullptr);
            LineTo(dc, tip.x, tip.y);
        }
    }
    {
        Selected brush(dc, CreateSolidBrush(RGB(200, 40, 40)));
        Selected pen(dc, CreatePen(PS_SOLID, 1, RGB(120, 20, 20)));
        const int hub = std::max(2, radius / 4);
        Ellipse(dc, centreX - hub, centreY - hub, centreX + hub, centreY + hub);
    }
    // Memory chips left of the cooler.
    const int chip = std::max(3, unit / 7);
    for (int row = 0; row < 2; ++row) {
        const int chipTop = top + unit / 5 + row * (chip + unit / 10);
        fill(dc, left + unit / 8, chipTop, left + unit / 8 + chip * 3 / 2, chipTop + chip,
             RGB(24, 24, 28));
    }
}

// A small four-pointed sparkle: the adapter is clean.
void drawSparkle(HDC dc, int x, int y, int size) {
    Selected pen(dc, CreatePen(PS_SOLID, 1, RGB(255, 226, 120)));
    MoveToEx(dc, x - size, y, nullptr);
    LineTo(dc, x + size + 1, y);
    MoveToEx(dc, x, y - size, nullptr);
    LineTo(dc, x, y + size + 1);
    const int diagonal = std::max(1, size / 3);
    MoveToEx(dc, x - diagonal, y - diagonal, nullptr);
    LineTo(dc, x + diagonal + 1, y + diagonal + 1);
    MoveToEx(dc, x - diagonal, y + diagonal, nullptr);
    LineTo(dc, x + diagonal + 1, y - diagonal - 1);
}

// The largest height up to `height` at which `line` fits into `width` pixels.
int fittingHeight(HDC dc, const std::string& line, int width, int height, int weight) {
    for (; height > 6; --height) {
        Selected font(dc, makeFont(height, weight, "Tahoma"));
        SIZE size{};
        GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &size);
        if (size.cx <= width) {
            break;
        }
    }
    return height;
}

void drawSplash(HDC dc, const RECT& area, const PictureWords& words) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    verticalGradient(dc, area, RGB(24, 44, 96), RGB(6, 12, 34));
    // A band along the bottom carries the version.
    const int band = std::max(16, height / 7);
    const int above = height - band;
    fill(dc, area.left, area.bottom - band, area.right, area.bottom, RGB(4, 8, 22));
    fill(dc, area.left, area.bottom - band, area.right, area.bottom - band + 1, RGB(255, 214, 90));

    const int margin = std::max(4, width / 15);
    const int unit = std::max(8, std::min(above / 2, width * 2 / 9));
    const int adapterLeft = area.left + margin;
    const int adapterTop = area.top + (above - unit) / 2;
    drawAdapter(dc, adapterLeft, adapterTop, unit);
    const int sparkle = std::max(2, unit / 10);
    drawSparkle(dc, adapterLeft + unit * 17 / 10, adapterTop - sparkle, sparkle * 2);
    drawSparkle(dc, adapterLeft + unit / 3, adapterTop - sparkle * 2, sparkle);
    drawSparkle(dc, adapterLeft + unit * 3 / 2, adapterTop + unit + sparkle, sparkle);

    const int textLeft = adapterLeft + unit * 17 / 10 + margin;
    const int textWidth = area.right - margin / 2 - textLeft;
    const int titleHeight =
        fittingHeight(dc, words.title, textWidth, std::max(12, above / 4), FW_BOLD);
    const int subtitleHeight =
        fittingHeight(dc, words.subtitle, textWidth, std::max(8, titleHeight / 3), FW_NORMAL);
    const int titleTop = area.top + above / 2 - titleHeight * 3 / 4;
    text(dc, words.title, textLeft, titleTop, titleHeight, FW_BOLD, RGB(255, 255, 255));
    text(dc, words.subtitle, textLeft + 1, titleTop + titleHeight * 6 / 5, subtitleHeight,
         FW_NORMAL, RGB(190, 204, 232));

    const int small = std::max(8, band / 2);
    text(dc, words.footer, area.left + margin, area.bottom - band + (band - small) / 2 - 1, small,
         FW_NORMAL, RGB(220, 224, 236));

    // A thin frame: the splash has no window border of its own.
    Selected pen(dc, CreatePen(PS_SOLID, 1, RGB(120, 140, 190)));
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, area.left, area.top, area.right, area.bottom);
}

void drawLogo(HDC dc, const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    verticalGradient(dc, area, RGB(24, 44, 96), RGB(6, 12, 34));
    const int unit = std::min(width * 10 / 19, height * 3 / 4);
    const int left = area.left + (width - unit * 17 / 10) / 2 + unit / 12;
    const int top = area.top + (height - unit) / 2;
    drawAdapter(dc, left, top, unit);
    drawSparkle(dc, left + unit * 17 / 10, top, std::max(2, unit / 6));
}

std::string lower(std::string name) {
    for (char& c : name) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return name;
}

} // namespace

bool drawPicture(HDC dc, const RECT& area, const std::string& resource, const PictureWords& words) {
    if (area.right <= area.left || area.bottom <= area.top) {
        return false;
    }
    const std::string name = lower(resource);
    if (name == kSplashPicture) {
        drawSplash(dc, area, words);
        return true;
    }
    if (name == kLogoPicture) {
        drawLogo(dc, area);
        return true;
    }
    return false;
}

} // namespace ui::win32
