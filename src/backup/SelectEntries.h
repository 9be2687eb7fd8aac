// Select all and select none of the restore and clearing windows' lists.
#pragma once

namespace ui {
class ListControl;
}

// Marks every entry of `list`, first to last, as selected (`on`) or not selected.
void selectEveryEntry(ui::ListControl& list, bool on);
