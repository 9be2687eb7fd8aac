// tvxshow: opens Tarvex's windows one at a time with the real renderer and saves a picture of each
// as a BMP, for the GUI check. Message boxes are answered without being shown and reported.
#include "startup/Startup.h"
#include "ui/App.h"
#include "ui/win32/Win32Renderer.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

// The real renderer, except that message boxes answer at once: nothing may wait for a user here.
class ShowRenderer : public ui::win32::Win32Renderer {
  public:
    ui::MsgBoxResult messageBox(const ui::MessageBoxRequest& request) override {
        const bool yesNo = request.buttons == ui::MsgBoxButtons::YesNo;
        std::printf("  message box \"%s\": \"%s\", answered %s\n", request.title.c_str(),
                    request.text.c_str(), yesNo ? "No" : "OK");
        return yesNo ? ui::MsgBoxResult::No : ui::MsgBoxResult::Ok;
    }
};

// Lets the windows paint: a few rounds of pending messages with short pauses between them.
void settle(ui::win32::Win32Renderer& renderer) {
    for (int round = 0; round < 6; ++round) {
        renderer.processPendingMessages();
        Sleep(80);
    }
}

// Writes what the screen shows in `area` as a 24-bit BMP; false on failure.
bool captureArea(const RECT& area, const std::string& path) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        return false;
    }
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, previous);

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<char> pixels(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
    const int rows = GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info,
                               DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (rows != height) {
        return false;
    }
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42; // "BM"
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = static_cast<DWORD>(header.bfOffBits + pixels.size());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}

// Writes what the screen shows of `window`, frame included.
bool capture(HWND window, const std::string& path) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT frame{};
    GetWindowRect(window, &frame);
    return captureArea(frame, path);
}

// The open menu's picture is taken by a timer, since opening a menu runs the menu's own loop.
HWND menuOwner = nullptr;
std::string menuPicture;
bool menuCaptured = false;

void CALLBACK captureOpenMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    RECT area{};
    GetWindowRect(menuOwner, &area);
    // The drop-down is a popup window of the menu class; it may reach beyond the window.
    if (HWND popup = FindWindowA("#32768", nullptr)) {
        RECT dropDown{};
        GetWindowRect(popup, &dropDown);
        UnionRect(&area, &area, &dropDown);
    }
    menuCaptured = captureArea(area, menuPicture);
    EndMenu();
}

// Opens top-level menu `number` (1 = the first) of `window` as the keyboard would and saves the
// window with the open menu.
bool captureMenu(HWND window, int number, const std::string& path) {
    if (GetMenu(window) == nullptr || number < 1 || number > GetMenuItemCount(GetMenu(window))) {
        return false;
    }
    menuOwner = window;
    menuPicture = path;
    menuCaptured = false;
    SetForegroundWindow(window);
    // The menu key selects the first menu, Right moves along the bar, Down opens the selection.
    for (int i = 1; i < number; ++i) {
        PostMessageA(window, WM_KEYDOWN, VK_RIGHT, 0);
    }
    PostMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
    SetTimer(nullptr, 0, 600, captureOpenMenu);
    SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, 0);
    return menuCaptured;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: tvxshow OUTPUT-FOLDER WINDOW-NAME[:MENU-NUMBER]...\n"
                             "  saves OUTPUT-FOLDER\\WINDOW-NAME.bmp for each window of Tarvex\n"
                             "  (WINDOW-NAME-menuN.bmp with its Nth menu open)\n");
        return 2;
    }
    const std::string folder = argv[1];
    CreateDirectoryA(folder.c_str(), nullptr);
    ShowRenderer renderer;
    ui::App app(renderer);
    // Registers the windows and shows the splash; its countdown is stopped below before it ticks.
    StartTarvex(app);
    int failures = 0;
    for (int i = 2; i < argc; ++i) {
        // "frmMain:2" pictures frmMain with its second menu open.
        const std::string argument = argv[i];
        const std::string::size_type colon = argument.find(':');
        const std::string name = argument.substr(0, colon);
        const int menu = colon == std::string::npos ? 0 : std::atoi(argument.c_str() + colon + 1);
        std::printf("%s\n", argument.c_str());
        app.formNamed(name);
        // Looked up again: a window may unload itself while it loads.
        ui::Form* form = app.findForm(name);
        if (form == nullptr) {
            std::printf("  not shown: unknown, or it unloaded itself while loading\n");
            ++failures;
            continue;
        }
        app.showModeless(*form);
        settle(renderer);
        if (ui::Form* still = app.findForm(name)) {
            const HWND window = renderer.windowOf(*still);
            const std::string path =
                folder + "\\" + name + (menu > 0 ? "-menu" + std::to_string(menu) : "") + ".bmp";
            if (menu > 0 ? captureMenu(window, menu, path) : capture(window, path)) {
                std::printf("  saved %s\n", path.c_str());
            } else {
                std::printf("  could not capture the window\n");
                ++failures;
            }
        }
        // Every window is unloaded again so the next one is seen alone (the splash's countdown
        // goes with it).
        for (ui::Form* loaded : app.loadedForms()) {
            app.unload(*loaded);
        }
    }
    std::printf("tvxshow: %d window(s), %d failure(s)\n", argc - 2, failures);
    return failures == 0 ? 0 : 1;
}
