// The preview as the cleaning windows show it: run with a window's run objects, written as lines
// in the chosen language, and handed to frmPreview.
#pragma once

#include "cleaning/Engine.h"

#include <string>
#include <vector>

class RunObjects;

namespace ui {
class Form;
}

// Previews the configurations `names`, in order, with a window's decoder and search object; each
// sees the machine as the clean of those before it would leave it. The search processes pending
// messages, so the window disables its run commands around this.
std::vector<RunItem> PreviewConfigurations(RunObjects& objects,
                                           const std::vector<std::string>& names);

// The line the preview window shows for `item`, in the current language: the words of its kind or
// refusal, its path in parentheses, then its size, file or subkey count.
std::string PreviewLine(const RunItem& item);

// Opens frmPreview modally, owned by `owner`, with the preview of `names` that gave `items`: the
// filters, one line per item (a heading line per configuration when there are several), and how
// many items go and how many stay.
void ShowPreview(ui::Form& owner, const std::vector<std::string>& names,
                 const std::vector<RunItem>& items);
