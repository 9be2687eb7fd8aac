// Which text id captions which control of which window: the vocabulary of Tarvex's windows.
#pragma once

#include <vector>

namespace captions {

// How a window's title is made.
enum class Title {
    Designed,    // the title stays as the window was designed
    Plain,       // the text of the title id
    WithVersion, // the text of the title id, a space and the version
    Advanced,    // as WithVersion, then a space and the advanced suffix
};

// One control and the id of its caption; a null id gives the empty caption, and `withVersion`
// puts a space and the version behind the text.
struct Caption {
    const char* control;
    const char* id;
    bool withVersion = false;
};

// One window's routine: its title and its captions in the order they are set.
struct WindowTexts {
    const char* form;
    Title title;
    const char* titleId;
    std::vector<Caption> captions;
};

// The texts of every window that has a language routine, frmMain first.
const std::vector<WindowTexts>& allWindowTexts();

// The texts of the window called `formName`, or nullptr when it has no routine.
const WindowTexts* windowTexts(const char* formName);

} // namespace captions
