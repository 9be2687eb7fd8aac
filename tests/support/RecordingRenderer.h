// The tests' renderer: shows nothing and records what the program asked of it. Message boxes are
// answered from answers queued beforehand, as the headless driver's `answer` lines are; a box
// nobody expected fails the test.
#pragma once

#include <doctest/doctest.h>

#include "ui/App.h"
#include "ui/Renderer.h"

#include <deque>
#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace testsupport {

class RecordingRenderer : public ui::Renderer {
  public:
    // A modal window as it was opened.
    struct Modal {
        std::string name;
        std::string windowNumber; // its "lblfIdentify" label then ("" when it has none)
    };
    // A help file the program opened.
    struct Help {
        std::string owner;
        std::string path;
        unsigned command = 0;
    };

    RecordingRenderer() = default;
    // Answers still queued at the end were meant for boxes that never came.
    ~RecordingRenderer() override {
        if (std::uncaught_exceptions() == 0 && !answers.empty()) {
            FAIL_CHECK(answers.size() << " queued answer(s) were never used");
        }
    }
    RecordingRenderer(const RecordingRenderer&) = delete;
    RecordingRenderer& operator=(const RecordingRenderer&) = delete;

    // Queues the answer for the next message box.
    void answer(ui::MsgBoxResult result) { answers.push_back(result); }

    // Runs while a modal window is open, before the user closes it (unless it closed itself).
    std::function<void(ui::Form&)> whileModal;

    std::deque<ui::MsgBoxResult> answers;
    std::vector<ui::MessageBoxRequest> boxes;
    std::vector<Modal> modals;
    std::vector<Help> helps;
    std::vector<std::string> measured;
    std::vector<const ui::Control*> measuredIn; // whose font each text was measured in

    void formLoaded(ui::Form&) override {}
    void formShown(ui::Form&) override {}
    // Records the window, runs whileModal, then the user closes the window at once.
    void runModal(ui::Form& form) override {
        const ui::Control* identify = form.find("lblfIdentify");
        modals.push_back({form.name, identify != nullptr ? identify->caption : std::string()});
        if (whileModal) {
            whileModal(form);
        }
        if (form.app.isLoaded(form)) {
            form.app.unload(form);
        }
    }
    void formUnloaded(ui::Form&) override {}
    void refresh(ui::Form&) override {}
    // Records the box and gives the next queued answer. With none queued, or one the box has no
    // button for, the test fails and the box answers as one that could not be shown: No or OK.
    ui::MsgBoxResult messageBox(const ui::MessageBoxRequest& request) override {
        boxes.push_back(request);
        const bool yesNo = request.buttons == ui::MsgBoxButtons::YesNo;
        const ui::MsgBoxResult unanswered = yesNo ? ui::MsgBoxResult::No : ui::MsgBoxResult::Ok;
        if (answers.empty()) {
            FAIL_CHECK("a message box nobody expected: " << request.text);
            return unanswered;
        }
        const ui::MsgBoxResult given = answers.front();
        answers.pop_front();
        if (yesNo == (given == ui::MsgBoxResult::Ok)) {
            FAIL_CHECK("the queued answer does not fit the box: " << request.text);
            return unanswered;
        }
        return given;
    }
    void processPendingMessages() override {}
    void run() override {}
    // Six pixels a character, whatever the font; the text and its control are recorded.
    int textWidth(const ui::Control& control, const std::string& text) override {
        measured.push_back(text);
        measuredIn.push_back(&control);
        return static_cast<int>(text.size()) * 6;
    }
    void openHelp(ui::Form& form, const std::string& path, unsigned command) override {
        helps.push_back({form.name, path, command});
    }
};

} // namespace testsupport
