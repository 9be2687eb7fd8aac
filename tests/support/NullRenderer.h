// A renderer that shows nothing, for tests that need controls but drive no window.
#pragma once

#include "ui/App.h"
#include "ui/Renderer.h"

#include <string>

namespace testsupport {

class NullRenderer : public ui::Renderer {
  public:
    void formLoaded(ui::Form&) override {}
    void formShown(ui::Form&) override {}
    void runModal(ui::Form&) override {}
    void formUnloaded(ui::Form&) override {}
    void refresh(ui::Form&) override {}
    ui::MsgBoxResult messageBox(const ui::MessageBoxRequest&) override {
        return ui::MsgBoxResult::Ok;
    }
    void processPendingMessages() override {}
    void run() override {}
    int textWidth(const ui::Control&, const std::string& text) override {
        return static_cast<int>(text.size()) * 6;
    }
    void openHelp(ui::Form&, const std::string&, unsigned) override {}
};

} // namespace testsupport
