// The general error box: the message exactly as given, titled "Error", OK only, no icon.
#include <doctest/doctest.h>

#include "base/General.h"
#include "language/LanguageFixture.h"
#include "support/RecordingRenderer.h"
#include "ui/App.h"

TEST_CASE("the error report shows the message as given under the title Error, without icon") {
    testsupport::RecordingRenderer renderer;
    ui::App app(renderer);
    for (const char* message :
         {"The new cabinet file could not be created.", "", "?", "two\r\nlines & an ampersand"}) {
        CAPTURE(std::string(message));
        renderer.boxes.clear();
        renderer.answer(ui::MsgBoxResult::Ok);
        ShowErrorReport(app, message);
        REQUIRE(renderer.boxes.size() == 1);
        CHECK(renderer.boxes[0].text == message);
        CHECK(renderer.boxes[0].title == "Error");
        CHECK(renderer.boxes[0].buttons == ui::MsgBoxButtons::Ok);
        CHECK(renderer.boxes[0].icon == ui::MsgBoxIcon::None);
    }
}
