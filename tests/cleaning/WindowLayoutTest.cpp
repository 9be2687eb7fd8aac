// The layout of the windows: controls inside their containers without overlapping, well-formed
// menus, readable colours, and every caption fitting in both faces and every shipped language.
#include <doctest/doctest.h>

#include "main/TarvexWindows.h"

#include "language/CaptionTables.h"
#include "packs/PackEncoder.h"
#include "support/RecordingRenderer.h"
#include "ui/App.h"
#include "ui/headless/TextMetrics.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Line height of an 8-point face at 96 dpi.
constexpr int kLineHeight = 13;
// Room a button's caption needs besides its text: the 3-D border and the focus rectangle.
constexpr int kButtonPadding = 10;
// A frame's caption starts 8 pixels in and needs the same again before the right border.
constexpr int kFramePadding = 16;

const char* const kFaces[] = {"MS Sans Serif", "Tahoma"};

// Every window of ours as it was designed: constructed, not loaded, so its captions are the
// designed English ones.
using Factory = std::function<std::unique_ptr<ui::Form>(ui::App&)>;

std::vector<Factory> windows() {
    std::vector<Factory> all;
    for (const std::string& name : TarvexWindowNames()) {
        all.push_back([name](ui::App& app) { return DesignedWindow(app, name); });
    }
    return all;
}

// The host path of `relative` in the source tree; the Windows build reads it through Wine's
// drive Z:, which maps the host's root.
std::filesystem::path sourcePath(const std::string& relative) {
    std::string path = std::string(TVX_SOURCE_DIR) + "/" + relative;
#ifdef _WIN32
    path = "Z:" + path;
#endif
    return std::filesystem::path(path);
}

// The texts of a shipped language source by id. Each UTF-8 sequence is kept as its lead byte, so
// it is measured as one character of the code page the program shows it in.
std::map<std::string, std::string> languageTexts(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream source;
    source << in.rdbuf();
    std::istringstream shipped(packs::shippedText(source.str()));
    std::map<std::string, std::string> texts;
    std::string line;
    while (std::getline(shipped, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const auto equals = line.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        std::string text;
        for (const char c : line.substr(equals + 1)) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte < 0x80 || byte >= 0xC0) {
                text += c;
            }
        }
        texts[line.substr(0, equals)] = text;
    }
    return texts;
}

// The caption as shown: an ampersand marks the next character as the access key and is not drawn.
std::string shownText(const std::string& caption) {
    std::string shown;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            ++i;
        }
        shown += caption[i];
    }
    return shown;
}

// The lines `text` takes when word-wrapped into `width` pixels, as a multi-line label wraps it;
// a single word wider than the label counts as one line more than it can have.
int wrappedLines(const std::string& face, const std::string& text, int width) {
    std::istringstream words(text);
    std::string word;
    std::string line;
    int lines = 1;
    while (words >> word) {
        if (ui::headless::textWidth(face, word) > width) {
            return 1000;
        }
        const std::string longer = line.empty() ? word : line + " " + word;
        if (ui::headless::textWidth(face, longer) <= width) {
            line = longer;
        } else {
            ++lines;
            line = word;
        }
    }
    return lines;
}

// Why `caption` does not fit `control` in `face`, or "" when it fits.
std::string misfit(const ui::Control& control, const std::string& caption,
                   const std::string& face) {
    const std::string text = shownText(caption);
    const int width = ui::headless::textWidth(face, text);
    const ui::Rect& box = control.bounds;
    switch (control.kind) {
    case ui::ControlKind::Button:
        return width + kButtonPadding <= box.width ? "" : "wider than the button";
    case ui::ControlKind::Frame:
        return width + kFramePadding <= box.width ? "" : "wider than the frame";
    case ui::ControlKind::Label: {
        const int rows = box.height / kLineHeight;
        if (rows <= 1) {
            return width <= box.width ? "" : "wider than the one-line label";
        }
        return wrappedLines(face, text, box.width) <= rows ? "" : "more lines than the label has";
    }
    default:
        return "";
    }
}

bool overlap(const ui::Rect& a, const ui::Rect& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

} // namespace

TEST_CASE("controls have names of their own and lie inside a frame or picture declared before "
          "them, and visible neighbours do not overlap") {
    testsupport::RecordingRenderer renderer;
    ui::App app(renderer);
    for (const Factory& make : windows()) {
        const std::unique_ptr<ui::Form> form = make(app);
        CAPTURE(form->name);
        std::set<std::string> names;
        std::vector<const ui::Control*> placed;
        for (const ui::Control* control : form->controls()) {
            CAPTURE(control->name);
            // The program and its caption tables find controls by name: the first would win.
            CHECK(names.insert(control->name).second);
            // Menu entries and timers have no place on the window.
            if (control->kind == ui::ControlKind::MenuItem ||
                control->kind == ui::ControlKind::Timer) {
                continue;
            }
            // The Win32 renderer places a control by its container, made before it.
            if (const ui::Control* outer = control->container) {
                CHECK((outer->kind == ui::ControlKind::Frame ||
                       outer->kind == ui::ControlKind::Picture));
                CHECK(std::find(placed.begin(), placed.end(), outer) != placed.end());
            }
            placed.push_back(control);
        }
        for (const ui::Control* control : placed) {
            CAPTURE(control->name);
            const ui::Rect& box = control->bounds;
            const ui::Rect& outer =
                control->container != nullptr ? control->container->bounds : form->bounds;
            CHECK(box.width > 0);
            CHECK(box.height > 0);
            CHECK(box.left >= 0);
            CHECK(box.top >= 0);
            CHECK(box.left + box.width <= outer.width);
            CHECK(box.top + box.height <= outer.height);
            if (!control->visible) {
                continue;
            }
            for (const ui::Control* other : placed) {
                if (other != control && other->visible && other->container == control->container) {
                    CAPTURE(other->name);
                    CHECK_FALSE(overlap(box, other->bounds));
                }
            }
        }
    }
}

TEST_CASE("separators sit inside menus and are bare, and no shortcut is taken twice") {
    testsupport::RecordingRenderer renderer;
    ui::App app(renderer);
    for (const Factory& make : windows()) {
        const std::unique_ptr<ui::Form> form = make(app);
        CAPTURE(form->name);
        std::set<std::string> shortcuts;
        for (const ui::Control* control : form->controls()) {
            if (control->kind != ui::ControlKind::MenuItem) {
                continue;
            }
            CAPTURE(control->name);
            const auto& item = static_cast<const ui::MenuItem&>(*control);
            if (item.separator) {
                CHECK(item.parent != nullptr);
                CHECK(item.caption.empty());
                CHECK(item.shortcut.empty());
                CHECK(item.children.empty());
            }
            // A key runs the first entry with its shortcut; a second one could never be reached.
            if (!item.shortcut.empty()) {
                std::string key = item.shortcut;
                std::transform(key.begin(), key.end(), key.begin(),
                               [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
                CHECK(shortcuts.insert(key).second);
            }
        }
    }
}

TEST_CASE("text in a colour of its own stands out from what it is drawn on") {
    // Brightness as the eye weighs it, 0 to 255.
    const auto brightness = [](ui::Color colour) {
        return (299 * (colour & 0xFF) + 587 * ((colour >> 8) & 0xFF) +
                114 * ((colour >> 16) & 0xFF)) /
               1000;
    };
    // Lists are drawn on the window colour (white), everything else on the 3-D face (light grey).
    const ui::Color kListBackground = ui::rgb(255, 255, 255);
    const ui::Color kFace = ui::rgb(212, 208, 200);
    testsupport::RecordingRenderer renderer;
    ui::App app(renderer);
    for (const Factory& make : windows()) {
        const std::unique_ptr<ui::Form> form = make(app);
        CAPTURE(form->name);
        for (const ui::Control* control : form->controls()) {
            if (control->foreColor == ui::kDefaultColor) {
                continue;
            }
            CAPTURE(control->name);
            const bool list = control->kind == ui::ControlKind::ListBox ||
                              control->kind == ui::ControlKind::ComboBox;
            const int text = static_cast<int>(brightness(control->foreColor));
            const int background = static_cast<int>(brightness(list ? kListBackground : kFace));
            CHECK(std::abs(text - background) >= 96);
        }
    }
}

TEST_CASE("captions fit their controls as designed and in every shipped language") {
    std::map<std::string, std::map<std::string, std::string>> languages;
    for (const auto& entry : std::filesystem::directory_iterator(sourcePath("data/languages"))) {
        if (entry.path().extension() == ".txt") {
            languages[entry.path().stem().string()] = languageTexts(entry.path());
        }
    }
    REQUIRE_FALSE(languages.empty());

    testsupport::RecordingRenderer renderer;
    ui::App app(renderer);
    for (const Factory& make : windows()) {
        const std::unique_ptr<ui::Form> form = make(app);
        CAPTURE(form->name);
        for (const char* face : kFaces) {
            INFO("face: " << face);
            for (const ui::Control* control : form->controls()) {
                CAPTURE(control->name);
                CHECK(misfit(*control, control->caption, face) == "");
            }
            // The splash has no texts of the language; every other window has a caption table.
            const captions::WindowTexts* texts = captions::windowTexts(form->name.c_str());
            REQUIRE((texts != nullptr || form->name == "frmStart"));
            if (texts == nullptr) {
                continue;
            }
            for (const auto& entry : languages) {
                const auto& language = entry.first;
                const auto& text = entry.second;
                CAPTURE(language);
                for (const captions::Caption& caption : texts->captions) {
                    INFO("caption.control: " << caption.control);
                    const ui::Control* control = form->find(caption.control);
                    REQUIRE(control != nullptr);
                    if (caption.id == nullptr) {
                        continue;
                    }
                    const auto found = text.find(caption.id);
                    REQUIRE(found != text.end());
                    CHECK(misfit(*control, found->second, face) == "");
                }
            }
        }
    }
}
