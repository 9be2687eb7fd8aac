// Window lifetimes: a window that unloads itself while loading stays usable for its caller.
#include <doctest/doctest.h>

#include "support/RecordingRenderer.h"
#include "ui/App.h"

namespace {

class SelfClosing : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmSelfClosing";
    explicit SelfClosing(ui::App& app) : ui::Form(app, kFormName) {}
    ui::Label lblNote{*this, "lblNote"};
    void Form_Load() override { app.unload(*this); }
};

class Plain : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmPlain";
    explicit Plain(ui::App& app) : ui::Form(app, kFormName) {}
};

} // namespace

TEST_CASE("a window unloading itself in Form_Load is returned unloaded, not freed") {
    testsupport::RecordingRenderer renderer;
    ui::App app(renderer);
    SelfClosing& closing = app.form<SelfClosing>();
    // Touching it must be safe (the sanitizers watch), and it is no longer loaded.
    closing.lblNote.caption = "still here";
    CHECK(closing.name == "frmSelfClosing");
    CHECK_FALSE(app.isLoaded(closing));
    app.showModeless(closing);
    CHECK_FALSE(closing.visible);
    CHECK(app.ended());
    // A later event releases it; asking again makes a fresh window.
    app.fire([] {});
    Plain& plain = app.show<Plain>();
    CHECK(app.isLoaded(plain));
}
