// Select all and select none of the restore and clearing windows' lists.
#include "backup/SelectEntries.h"

#include "ui/Controls.h"

void selectEveryEntry(ui::ListControl& list, bool on) {
    for (int i = 0; i < list.listCount(); ++i) {
        list.setSelected(i, on);
    }
}
