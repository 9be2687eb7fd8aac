// The scroll extent the restore lists get: the longest entry and eight spaces, in the list's font.
#include "backup/BackupWindows.h"

#include "system/AddScroll.h"

#include <string>
#include <vector>

using namespace backuptest;

namespace {

class ListForm : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmTestScroll";
    explicit ListForm(ui::App& app) : ui::Form(app, kFormName) {}
    ui::ListBox lstEntries{*this, "lstEntries"};
};

} // namespace

TEST_CASE("AddScroll measures the first of the longest entries with eight spaces after it") {
    struct Row {
        std::vector<std::string> entries;
        std::string measured;
    };
    const std::vector<Row> rows = {
        {{"abcde", "twelve chars", "TWELVE CHARS", "xyz"}, "twelve chars        "},
        {{"short", "the longest one", "mid"}, "the longest one        "},
        {{}, "        "},
        {{"", ""}, "        "},
    };
    for (const Row& row : rows) {
        testsupport::RecordingRenderer renderer;
        ui::App app(renderer);
        ListForm& form = app.form<ListForm>();
        for (const std::string& entry : row.entries) {
            form.lstEntries.addItem(entry);
        }
        AddScroll(form.lstEntries);
        REQUIRE(renderer.measured.size() == 1);
        CHECK(renderer.measured[0] == row.measured);
        CHECK(renderer.measuredIn[0] == &form.lstEntries); // in the list's own font
        CHECK(form.lstEntries.horizontalExtent == static_cast<int>(row.measured.size()) * 6);
    }
}
