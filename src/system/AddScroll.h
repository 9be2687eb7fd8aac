// The horizontal scroll extent of a list box, wide enough for its longest entry.
#pragma once

namespace ui {
class ListBox;
}

// Sets `list`'s horizontal extent to the width, in the list's font, of its longest entry (by
// characters; the earlier one on a tie) followed by eight spaces. An empty list gets the width of
// the eight spaces.
void AddScroll(ui::ListBox& list);
