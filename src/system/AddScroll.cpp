// The horizontal scroll extent of a list box, wide enough for its longest entry.
#include "system/AddScroll.h"

#include "ui/App.h"
#include "ui/Controls.h"

void AddScroll(ui::ListBox& list) {
    int longest = 0;
    for (int i = 0; i < list.listCount(); ++i) {
        if (list.item(i).size() > list.item(longest).size()) {
            longest = i;
        }
    }
    // The spaces leave a margin after the text, so its end is not hidden by the list's border.
    list.horizontalExtent = list.form.app.renderer.textWidth(list, list.item(longest) + "        ");
}
