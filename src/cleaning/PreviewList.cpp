// Running a preview for a cleaning window and filling the preview window with its lines.
#include "cleaning/PreviewList.h"

#include "cleaning/FrmShared.h"
#include "language/Language.h"
#include "language/TextIds.h"
#include "system/AddScroll.h"
#include "ui/App.h"
#include "ui/Controls.h"

namespace {

std::string counted(std::uint64_t number, const char* wordId) {
    return std::to_string(number) + " " + GetLangString(wordId);
}

const char* wordsOf(const RunItem& item) {
    switch (item.refusal) {
    case Refusal::ProtectedFolder:
        return textid::kFolderProtected;
    case Refusal::UnclearPath:
        return textid::kPathUnclear;
    case Refusal::ProtectedKey:
        return textid::kKeyProtected;
    case Refusal::None:
        break;
    }
    if (item.outcome == ItemOutcome::Stays) {
        return textid::kReadOnlyStays;
    }
    switch (item.kind) {
    case ItemKind::File:
        return textid::kPreviewFile;
    case ItemKind::Folder:
        return textid::kPreviewFolder;
    case ItemKind::Key:
        return item.fromSearch ? textid::kPreviewSearchKey : textid::kPreviewKey;
    case ItemKind::Value:
        return textid::kPreviewValue;
    }
    return textid::kPreviewFile;
}

bool goes(const RunItem& item) {
    return item.outcome == ItemOutcome::Removes || item.outcome == ItemOutcome::Removed;
}

} // namespace

std::vector<RunItem> PreviewConfigurations(RunObjects& objects,
                                           const std::vector<std::string>& names) {
    std::vector<RunItem> items;
    PreviewState state;
    RunContext context;
    context.preview = &state;
    context.onItem = [&items](const RunItem& item) { items.push_back(item); };
    objects.beginRun(context);
    for (const std::string& name : names) {
        context.configurationName = name;
        PreviewConfiguration(context, *objects.decoder(), name);
    }
    objects.endRun();
    return items;
}

std::string PreviewLine(const RunItem& item) {
    std::string line = GetLangString(wordsOf(item)) + " (" + item.path + ")";
    if (item.outcome == ItemOutcome::Refused) {
        return line;
    }
    switch (item.kind) {
    case ItemKind::File:
        return line + ": " + counted(item.bytes, textid::kBytesWord);
    case ItemKind::Folder:
        return line + ": " + counted(item.files, textid::kFilesWord) + ", " +
               counted(item.bytes, textid::kBytesWord);
    case ItemKind::Key:
        return line + ": " + counted(item.subkeys, textid::kSubkeysWord);
    case ItemKind::Value:
        break;
    }
    return line;
}

void ShowPreview(ui::Form& owner, const std::vector<std::string>& names,
                 const std::vector<RunItem>& items) {
    ui::Form* window = owner.app.formNamed("frmPreview");
    if (window == nullptr) {
        return;
    }
    auto* list = dynamic_cast<ui::ListBox*>(window->find("lstPreview"));
    ui::Control* filters = window->find("lblFilters");
    ui::Control* summary = window->find("lblSummary");
    if (list == nullptr || filters == nullptr || summary == nullptr) {
        return;
    }
    std::string joined;
    for (const std::string& name : names) {
        joined += (joined.empty() ? "" : ", ") + name;
    }
    filters->caption = GetLangString(textid::kPreviewFilters) + " " + joined;
    std::size_t removed = 0;
    std::string heading;
    for (const RunItem& item : items) {
        if (names.size() > 1 && item.configuration != heading) {
            heading = item.configuration;
            list->addItem("[" + heading + "]");
        }
        list->addItem(PreviewLine(item));
        removed += goes(item) ? 1 : 0;
    }
    AddScroll(*list);
    summary->caption = GetLangString(textid::kPreviewToRemove) + " " + std::to_string(removed) +
                       "    " + GetLangString(textid::kPreviewKept) + " " +
                       std::to_string(items.size() - removed);
    owner.app.showModal(*window, &owner);
}
