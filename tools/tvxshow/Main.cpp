// tvxshow: opens Tarvex's (or Quellix's) windows one at a time with the real renderer and saves a
// picture of each as a BMP, for the GUI check. Message boxes are answered without being shown and
// reported.
#include "fixtool/QuellixWindows.h"
#include "main/TarvexWindows.h"
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
// Questions are answered No, except while the user's actions of a picture are carried out.
class ShowRenderer : public ui::win32::Win32Renderer {
  public:
    bool answerYes = false;
    ui::MsgBoxResult messageBox(const ui::MessageBoxRequest& request) override {
        const bool yesNo = request.buttons == ui::MsgBoxButtons::YesNo;
        const bool yes = yesNo && answerYes;
        std::printf("  message box \"%s\": \"%s\", answered %s\n", request.title.c_str(),
                    request.text.c_str(),
                    yes     ? "Yes"
                    : yesNo ? "No"
                            : "OK");
        return yes ? ui::MsgBoxResult::Yes : yesNo ? ui::MsgBoxResult::No : ui::MsgBoxResult::Ok;
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

// Does what a user would: "cboName=Entry" picks an entry of a list or combo box, "cmdName" clicks
// a button. False (and a report) when the control or entry is not there.
bool act(ui::win32::Win32Renderer& renderer, ui::Form& form, const std::string& action) {
    const std::string::size_type equals = action.find('=');
    const std::string controlName = action.substr(0, equals);
    ui::Control* control = form.find(controlName);
    const HWND window = control != nullptr ? renderer.windowOf(*control) : nullptr;
    if (window == nullptr) {
        std::printf("  no control %s\n", controlName.c_str());
        return false;
    }
    if (equals == std::string::npos) {
        SendMessageA(window, BM_CLICK, 0, 0);
        return true;
    }
    const auto& list = static_cast<const ui::ListControl&>(*control);
    const bool isCombo = control->kind == ui::ControlKind::ComboBox;
    if (!isCombo && control->kind != ui::ControlKind::ListBox) {
        std::printf("  %s is not a list\n", controlName.c_str());
        return false;
    }
    const std::string entry = action.substr(equals + 1);
    for (int index = 0; index < list.listCount(); ++index) {
        if (list.item(index) == entry) {
            SendMessageA(window, isCombo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index),
                         0);
            SendMessageA(GetParent(window), WM_COMMAND,
                         MAKEWPARAM(GetDlgCtrlID(window), isCombo ? CBN_SELCHANGE : LBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(window));
            return true;
        }
    }
    std::printf("  %s has no entry %s; it has:", controlName.c_str(), entry.c_str());
    for (const std::string& item : list.items()) {
        std::printf(" \"%s\"", item.c_str());
    }
    std::printf("\n");
    return false;
}

} // namespace

int main(int argc, char** argv) {
    // "--program quellix" first shows Quellix's windows instead of Tarvex's.
    std::vector<std::string> args(argv + 1, argv + argc);
    bool quellix = false;
    if (args.size() >= 2 && args[0] == "--program" &&
        (args[1] == "quellix" || args[1] == "tarvex")) {
        quellix = args[1] == "quellix";
        args.erase(args.begin(), args.begin() + 2);
    }
    const std::vector<std::string>& windowNames =
        quellix ? QuellixWindowNames() : TarvexWindowNames();
    if (args.size() == 1 && args[0] == "--list") {
        for (const std::string& name : windowNames) {
            std::printf("%s\n", name.c_str());
        }
        return 0;
    }
    if (args.size() < 2) {
        std::fprintf(
            stderr,
            "usage: tvxshow [--program tarvex|quellix] OUTPUT-FOLDER "
            "WINDOW-NAME[:MENU-NUMBER][@ACTION]...\n"
            "       tvxshow [--program tarvex|quellix] --list   (prints the names of the\n"
            "       program's windows)\n"
            "  saves OUTPUT-FOLDER\\WINDOW-NAME.bmp for each window of the program (Tarvex\n"
            "  unless named; WINDOW-NAME-menuN.bmp with its Nth menu open,\n"
            "  WINDOW-NAME-used.bmp after the actions: @list=entry picks an entry,\n"
            "  @button clicks)\n");
        return 2;
    }
    const std::string folder = args[0];
    CreateDirectoryA(folder.c_str(), nullptr);
    ShowRenderer renderer;
    ui::App app(renderer);
    // Registers the windows and shows the splash; its countdown is stopped below before it ticks.
    if (quellix) {
        RunQuellix(app);
    } else {
        RunTarvex(app);
    }
    int failures = 0;
    for (std::size_t i = 1; i < args.size(); ++i) {
        // "frmMain:2" pictures frmMain with its second menu open; "frmMain@cboConfigs=ATI@cmdClean"
        // after picking ATI and clicking Clean, questions answered Yes.
        const std::string argument = args[i];
        std::vector<std::string> actions;
        std::string::size_type at = argument.find('@');
        const std::string head = argument.substr(0, at);
        while (at != std::string::npos) {
            const std::string::size_type next = argument.find('@', at + 1);
            actions.push_back(
                argument.substr(at + 1, next == std::string::npos ? next : next - at - 1));
            at = next;
        }
        const std::string::size_type colon = head.find(':');
        const std::string name = head.substr(0, colon);
        const int menu = colon == std::string::npos ? 0 : std::atoi(head.c_str() + colon + 1);
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
        renderer.answerYes = true;
        for (const std::string& action : actions) {
            ui::Form* current = app.findForm(name);
            if (current == nullptr || !act(renderer, *current, action)) {
                ++failures;
                break;
            }
            settle(renderer);
        }
        renderer.answerYes = false;
        if (ui::Form* still = app.findForm(name)) {
            const HWND window = renderer.windowOf(*still);
            const std::string suffix = menu > 0           ? "-menu" + std::to_string(menu)
                                       : !actions.empty() ? std::string("-used")
                                                          : std::string();
            const std::string path = folder + "\\" + name + suffix + ".bmp";
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
    std::printf("tvxshow: %d window(s), %d failure(s)\n", static_cast<int>(args.size() - 1),
                failures);
    return failures == 0 ? 0 : 1;
}
