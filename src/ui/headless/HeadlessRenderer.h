// The null backend: runs the program's real windows from a script of user actions, without a
// screen, on a virtual clock.
#pragma once

#include "ui/Renderer.h"
#include "ui/headless/Script.h"

#include <deque>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace ui {
class App;
class Timer;
} // namespace ui

namespace ui::headless {

class HeadlessRenderer : public Renderer {
  public:
    // Drives `script`; the record of the run (windows, message boxes, prints, the failure) goes
    // to `out`, which must outlive the renderer.
    HeadlessRenderer(std::vector<Command> script, std::ostream& out);

    // Connects the application whose windows the script drives; once, before drive().
    void attach(App& app);

    // Queues the script's leading `answer` lines, runs `start` (which shows the first window)
    // and then the script to its end; true when every command succeeded and every queued answer
    // was used. Failures never escape: they are printed and end the run.
    bool drive(const std::function<void(App&)>& start);

    // Commands executed so far.
    int actions() const { return actionCount; }
    // "line N: <command>: <reason>" for the first failure, or "" when there was none.
    const std::string& failure() const { return failureText; }

    void formLoaded(Form& form) override;
    void formShown(Form& form) override;
    // Executes script commands until `form` is unloaded; the script ending first is a failure.
    void runModal(Form& form) override;
    void formUnloaded(Form& form) override;
    void refresh(Form& form) override;
    // Answers with the next queued answer; no queued answer, or one the box has no button for,
    // fails the run.
    MsgBoxResult messageBox(const MessageBoxRequest& request) override;
    // Runs the oldest action the script deferred with `during`, if any.
    void processPendingMessages() override;
    // Executes commands until the script ends or the program has ended.
    void run() override;
    // The fixed width tables of TextMetrics.h, for the control's face.
    int textWidth(const Control& control, const std::string& text) override;
    // Recorded and printed; nothing opens.
    void openHelp(Form& form, const std::string& path, unsigned command) override;

  private:
    struct Schedule {
        long long due = 0;
        int interval = 0;
    };

    void executeNext();
    void runCommand(const Command& command);
    void execute(const Command& command);
    [[noreturn]] void fail(const std::string& message);
    void checkNotFailed() const;

    Form& loadedForm(const std::string& name);
    Control& namedControl(const std::string& target);
    // Fails the run with `refused` unless it is empty (a user action that was done).
    void require(const std::string& refused);

    void pressKey(Form& form, const std::string& key);
    void selectEntry(const Command& command);
    void typeText(const Command& command);
    void close(Form& form);
    void show(const std::string& name);
    void expect(const Command& command);
    void expectProperty(const Command& command);
    void print(const std::string& what);

    void syncTimers(const Form& form);
    Timer* nextTimer();
    void fireTimer(Timer& timer);
    void tick(long count);
    void wait(long milliseconds);

    std::vector<Command> script;
    std::size_t next = 0;
    std::ostream& out;
    App* app = nullptr;
    const Command* current = nullptr;
    std::string phase = "at start"; // where a failure outside any command happened
    bool failed = false;
    std::string failureText;
    int actionCount = 0;

    std::deque<MsgBoxResult> answers;
    std::deque<Command> deferred; // `during` actions, run by the next processPendingMessages()
    bool boxShown = false;
    std::string lastBoxText;
    bool helpOpened = false;
    std::string lastHelpPath;

    long long clock = 0; // virtual milliseconds since the start
    std::map<const Timer*, Schedule> timers;
};

} // namespace ui::headless
