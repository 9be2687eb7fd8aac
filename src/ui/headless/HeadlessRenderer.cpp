// Script execution against the form model: user actions fire the same events a user's would, and
// anything a user could not do fails the run loudly.
#include "ui/headless/HeadlessRenderer.h"

#include "ui/App.h"
#include "ui/UserInput.h"
#include "ui/headless/Inspect.h"
#include "ui/headless/TextMetrics.h"

#include <algorithm>
#include <cctype>

namespace ui::headless {

namespace {

// Thrown to unwind from deep inside the program's handlers back to drive(). Deliberately not a
// std::exception, and backed by a sticky flag: a handler that swallows everything only delays it.
struct Failure {};

// More timer events than this in one command means a runaway timer, not a test.
constexpr long kMaxTimerEvents = 1000000;

const char* buttonsName(MsgBoxButtons buttons) {
    return buttons == MsgBoxButtons::YesNo ? "Yes/No" : "OK";
}

const char* iconName(MsgBoxIcon icon) {
    switch (icon) {
    case MsgBoxIcon::Critical:
        return "critical";
    case MsgBoxIcon::Exclamation:
        return "exclamation";
    case MsgBoxIcon::None:
        break;
    }
    return "none";
}

const char* answerName(MsgBoxResult answer) {
    switch (answer) {
    case MsgBoxResult::Yes:
        return "Yes";
    case MsgBoxResult::No:
        return "No";
    case MsgBoxResult::Ok:
        break;
    }
    return "OK";
}

std::string lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

std::vector<std::string> splitDots(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t dot = text.find('.', start);
        parts.push_back(text.substr(start, dot - start));
        if (dot == std::string::npos) {
            return parts;
        }
        start = dot + 1;
    }
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first);
}

// The user can write booleans as true/false or 1/0; values are compared as the model shows them.
std::string normalisedExpectation(const std::string& expected, const std::string& actual) {
    if (actual != "true" && actual != "false") {
        return expected;
    }
    const std::string word = lower(expected);
    if (word == "true" || word == "1") {
        return "true";
    }
    if (word == "false" || word == "0") {
        return "false";
    }
    return expected;
}

} // namespace

HeadlessRenderer::HeadlessRenderer(std::vector<Command> script, std::ostream& out)
    : script(std::move(script)), out(out) {}

void HeadlessRenderer::attach(App& application) {
    app = &application;
}

bool HeadlessRenderer::drive(const std::function<void(App&)>& start) {
    try {
        if (app == nullptr) {
            fail("no application is attached to the renderer");
        }
        // Answers for boxes the start itself shows must be queued before it runs.
        while (next < script.size() && script[next].verb == "answer") {
            executeNext();
        }
        current = nullptr;
        // Started inside an event, so a window that unloads itself while the start still holds
        // it stays alive until the start returns.
        app->fire([this, &start] { start(*app); });
        checkNotFailed();
        run();
        // After the program's end the rest still runs: expectations and prints about the end.
        while (next < script.size()) {
            executeNext();
        }
        current = nullptr;
        phase = "at the end";
        if (!deferred.empty()) {
            fail(std::to_string(deferred.size()) +
                 " 'during' action(s) never ran: nothing processed pending messages after line " +
                 std::to_string(deferred.front().line));
        }
        if (!answers.empty()) {
            std::string unused;
            for (const MsgBoxResult answer : answers) {
                unused += std::string(unused.empty() ? "" : ", ") + answerName(answer);
            }
            fail(std::to_string(answers.size()) + " queued answer(s) never used: " + unused);
        }
    } catch (const Failure&) {
        // Already printed by fail(); the caller reads failure().
    }
    return !failed;
}

void HeadlessRenderer::executeNext() {
    runCommand(script[next++]);
}

void HeadlessRenderer::runCommand(const Command& command) {
    const Command* outer = current;
    current = &command;
    // A `during` line counts once, when its action runs.
    if (command.verb != "during") {
        ++actionCount;
    }
    execute(command);
    checkNotFailed();
    current = outer;
}

void HeadlessRenderer::fail(const std::string& message) {
    if (!failed) {
        failed = true;
        failureText = current != nullptr ? "line " + std::to_string(current->line) + ": " +
                                               trimmed(current->source) + ": " + message
                                         : phase + ": " + message;
        out << "FAIL " << failureText << "\n";
    }
    throw Failure{};
}

void HeadlessRenderer::checkNotFailed() const {
    if (failed) {
        throw Failure{};
    }
}

void HeadlessRenderer::execute(const Command& command) {
    const std::string& verb = command.verb;
    const auto& args = command.args;
    if (verb == "tick") {
        long count = 1;
        if (!args.empty()) {
            parseNumber(args[0].text, 1, kMaxTimerEvents * 100, count);
        }
        tick(count);
    } else if (verb == "wait") {
        long milliseconds = 0;
        parseNumber(args[0].text, 0, kMaxTimerEvents * 100, milliseconds);
        wait(milliseconds);
    } else if (verb == "click") {
        require(click(namedControl(args[0].text)));
    } else if (verb == "key") {
        pressKey(loadedForm(args[0].text), args[1].text);
    } else if (verb == "select" || verb == "select-add" || verb == "deselect") {
        selectEntry(command);
    } else if (verb == "type") {
        typeText(command);
    } else if (verb == "close") {
        close(loadedForm(args[0].text));
    } else if (verb == "answer") {
        const std::string& answer = args[0].text;
        answers.push_back(answer == "Yes"  ? MsgBoxResult::Yes
                          : answer == "No" ? MsgBoxResult::No
                                           : MsgBoxResult::Ok);
    } else if (verb == "expect") {
        expect(command);
    } else if (verb == "print") {
        print(args[0].text);
    } else if (verb == "show") {
        show(args[0].text);
    } else if (verb == "during") {
        deferred.push_back(deferredCommand(command));
    }
}

Form& HeadlessRenderer::loadedForm(const std::string& name) {
    Form* form = app->findForm(name);
    if (form == nullptr) {
        fail("window " + name + " is not loaded");
    }
    return *form;
}

Control& HeadlessRenderer::namedControl(const std::string& target) {
    const std::size_t dot = target.find('.');
    if (dot == std::string::npos) {
        fail("'" + target + "' does not name a control (write window.control)");
    }
    Form& form = loadedForm(target.substr(0, dot));
    Control* control = form.find(target.substr(dot + 1));
    if (control == nullptr) {
        fail("window " + form.name + " has no control called " + target.substr(dot + 1));
    }
    return *control;
}

void HeadlessRenderer::require(const std::string& refused) {
    if (!refused.empty()) {
        fail(refused);
    }
}

void HeadlessRenderer::pressKey(Form& form, const std::string& key) {
    if (lower(key) == "alt+f4") {
        close(form);
        return;
    }
    require(press(form, key));
}

void HeadlessRenderer::selectEntry(const Command& command) {
    Control& control = namedControl(command.args[0].text);
    if (control.kind != ControlKind::ListBox && control.kind != ControlKind::ComboBox) {
        fail(control.name + " is not a list");
    }
    require(refusal(control));
    auto& list = static_cast<ListControl&>(control);
    const Token& entry = command.args[1];
    int index = -1;
    if (!entry.quoted && entry.text.size() > 1 && entry.text[0] == '#') {
        long position = 0;
        if (!parseNumber(entry.text.substr(1), 0, 1000000000, position) ||
            position >= list.listCount()) {
            fail(list.name + " has no entry " + entry.text + " (it has " +
                 std::to_string(list.listCount()) + ")");
        }
        index = static_cast<int>(position);
    } else {
        const auto& items = list.items();
        const auto found = std::find(items.begin(), items.end(), entry.text);
        if (found == items.end()) {
            std::string known;
            for (const std::string& item : items) {
                known += (known.empty() ? "" : ", ") + quote(item);
            }
            fail(list.name + " has no entry " + quote(entry.text) +
                 " (entries: " + (known.empty() ? "none" : known) + ")");
        }
        index = static_cast<int>(found - items.begin());
    }
    const Pick how = command.verb == "select-add" ? Pick::Add
                     : command.verb == "deselect" ? Pick::Remove
                                                  : Pick::Only;
    require(select(list, index, how));
}

void HeadlessRenderer::typeText(const Command& command) {
    Control& control = namedControl(command.args[0].text);
    if (control.kind != ControlKind::ComboBox) {
        fail(control.name + " has no text field to type into");
    }
    require(type(static_cast<ComboBox&>(control), command.args[1].text));
}

void HeadlessRenderer::close(Form& form) {
    require(refusal(form));
    if (!form.hasTitleBar || !form.hasCloseBox) {
        fail("window " + form.name + " has no close box");
    }
    app->fire([&form] { form.closeRequested(); });
}

void HeadlessRenderer::show(const std::string& name) {
    if (app->ended()) {
        fail("the program has ended");
    }
    app->fire([this, &name] {
        Form* form = app->formNamed(name);
        if (form == nullptr) {
            fail("no window is called " + name);
        }
        app->showModeless(*form);
    });
}

void HeadlessRenderer::expect(const Command& command) {
    const std::string& what = command.args[0].text;
    if (what == "ended" || what == "running") {
        if (app->ended() != (what == "ended")) {
            std::string loaded;
            for (const Form* form : app->loadedForms()) {
                loaded += (loaded.empty() ? "" : ", ") + form->name;
            }
            fail(app->ended() ? "the program has ended"
                              : "the program is still running (loaded: " + loaded + ")");
        }
    } else if (what == "loaded" || what == "not-loaded") {
        const std::string& name = command.args[1].text;
        const bool loaded = app->findForm(name) != nullptr;
        if (loaded != (what == "loaded")) {
            fail("window " + name + (loaded ? " is loaded" : " is not loaded"));
        }
    } else if (what == "msgbox" || what == "help") {
        const bool box = what == "msgbox";
        if (!(box ? boxShown : helpOpened)) {
            fail(box ? "no message box has been shown" : "no help file has been opened");
        }
        const std::string& actual = box ? lastBoxText : lastHelpPath;
        if (actual != command.args[1].text) {
            fail(std::string(box ? "the last message box said " : "the last help file was ") +
                 quote(actual));
        }
    } else {
        expectProperty(command);
    }
}

void HeadlessRenderer::expectProperty(const Command& command) {
    const std::vector<std::string> parts = splitDots(command.args[0].text);
    if (parts.size() < 2 || parts.size() > 3) {
        fail("'" + command.args[0].text + "' is not window.property or window.control.property");
    }
    Form& form = loadedForm(parts[0]);
    std::string actual;
    std::string error;
    bool found = false;
    if (parts.size() == 2) {
        found = formProperty(form, parts[1], actual, error);
    } else {
        Control* control = form.find(parts[1]);
        if (control == nullptr) {
            fail("window " + form.name + " has no control called " + parts[1]);
        }
        found = controlProperty(*control, parts[2], actual, error);
    }
    if (!found) {
        fail(error);
    }
    const bool contains = command.args.size() == 3;
    const std::string& wanted = command.args.back().text;
    if (contains) {
        if (actual.find(wanted) == std::string::npos) {
            fail("found " + quote(actual) + ", which does not contain " + quote(wanted));
        }
    } else if (actual != normalisedExpectation(wanted, actual)) {
        fail("expected " + quote(wanted) + ", found " + quote(actual));
    }
}

void HeadlessRenderer::print(const std::string& what) {
    if (what == "all") {
        out << "-- all windows at " << clock << " ms" << (app->ended() ? ", program ended" : "")
            << "\n";
        for (const Form* form : app->loadedForms()) {
            printForm(*form, out);
        }
        return;
    }
    printForm(loadedForm(what), out);
}

void HeadlessRenderer::syncTimers(const Form& form) {
    for (const Control* control : form.controls()) {
        if (control->kind != ControlKind::Timer) {
            continue;
        }
        const auto* timer = static_cast<const Timer*>(control);
        if (!timer->enabled || timer->interval <= 0) {
            timers.erase(timer);
            continue;
        }
        // A timer that was just enabled, or given a new interval, counts from now.
        const auto known = timers.find(timer);
        if (known == timers.end() || known->second.interval != timer->interval) {
            timers[timer] = Schedule{clock + timer->interval, timer->interval};
        }
    }
}

Timer* HeadlessRenderer::nextTimer() {
    Timer* earliest = nullptr;
    long long due = 0;
    for (Form* form : app->loadedForms()) {
        syncTimers(*form);
        for (Control* control : form->controls()) {
            if (control->kind != ControlKind::Timer) {
                continue;
            }
            auto* timer = static_cast<Timer*>(control);
            const auto known = timers.find(timer);
            if (known != timers.end() && (earliest == nullptr || known->second.due < due)) {
                earliest = timer;
                due = known->second.due;
            }
        }
    }
    return earliest;
}

void HeadlessRenderer::fireTimer(Timer& timer) {
    Schedule& schedule = timers.at(&timer);
    clock = schedule.due;
    schedule.due += schedule.interval;
    app->fire(timer.onTimer);
}

void HeadlessRenderer::tick(long count) {
    for (long i = 0; i < count; ++i) {
        Timer* timer = nextTimer();
        if (timer == nullptr) {
            fail("no timer is running");
        }
        const long long due = timers.at(timer).due;
        // Every timer due at that moment fires, in window and control order.
        long events = 0;
        for (; timer != nullptr && timers.at(timer).due == due; timer = nextTimer()) {
            if (++events > kMaxTimerEvents) {
                fail("runaway timers");
            }
            fireTimer(*timer);
        }
    }
}

void HeadlessRenderer::wait(long milliseconds) {
    const long long until = clock + milliseconds;
    long events = 0;
    for (Timer* timer = nextTimer(); timer != nullptr && timers.at(timer).due <= until;
         timer = nextTimer()) {
        if (++events > kMaxTimerEvents) {
            fail("runaway timers");
        }
        fireTimer(*timer);
    }
    clock = std::max(clock, until);
}

void HeadlessRenderer::formLoaded(Form& form) {
    out << "load " << form.name << "\n";
}

void HeadlessRenderer::formShown(Form& form) {
    out << "show " << form.name << "\n";
}

void HeadlessRenderer::runModal(Form& form) {
    checkNotFailed();
    const std::string name = form.name; // `form` may be gone once it is unloaded
    const int openedBy = current != nullptr ? current->line : 0;
    out << "modal " << name << "\n";
    while (app->isLoaded(form)) {
        if (next >= script.size()) {
            phase = "at the end";
            current = nullptr;
            fail("the script ended while the modal window " + name + " is open" +
                 (openedBy > 0 ? " (opened by line " + std::to_string(openedBy) + ")" : ""));
        }
        executeNext();
    }
}

void HeadlessRenderer::formUnloaded(Form& form) {
    out << "unload " << form.name << "\n";
    for (const Control* control : form.controls()) {
        if (control->kind == ControlKind::Timer) {
            timers.erase(static_cast<const Timer*>(control));
        }
    }
}

void HeadlessRenderer::refresh(Form& form) {
    // Nothing is drawn; only the timers follow the model.
    syncTimers(form);
}

MsgBoxResult HeadlessRenderer::messageBox(const MessageBoxRequest& request) {
    checkNotFailed();
    out << "msgbox title=" << quote(request.title) << " text=" << quote(request.text)
        << " buttons=" << buttonsName(request.buttons) << " icon=" << iconName(request.icon);
    if (request.owner != nullptr) {
        out << " owner=" << request.owner->name;
    }
    boxShown = true;
    lastBoxText = request.text;
    if (answers.empty()) {
        out << " -> no answer queued\n";
        fail("a message box appeared with no answer queued: " + quote(request.text));
    }
    const MsgBoxResult answer = answers.front();
    const bool fits = request.buttons == MsgBoxButtons::YesNo ? answer != MsgBoxResult::Ok
                                                              : answer == MsgBoxResult::Ok;
    if (!fits) {
        out << " -> " << answerName(answer) << " is not a button of it\n";
        fail(std::string("the queued answer ") + answerName(answer) + " does not fit a box with " +
             buttonsName(request.buttons) + ": " + quote(request.text));
    }
    answers.pop_front();
    out << " -> " << answerName(answer) << "\n";
    return answer;
}

void HeadlessRenderer::processPendingMessages() {
    checkNotFailed();
    // Only actions the script deferred with `during` arrive in the middle of an operation; one
    // per call, so a script can act at successive points of a long run.
    if (deferred.empty()) {
        return;
    }
    const Command command = deferred.front();
    deferred.pop_front();
    runCommand(command);
}

void HeadlessRenderer::run() {
    while (next < script.size() && !app->ended()) {
        executeNext();
    }
}

int HeadlessRenderer::textWidth(const Control& control, const std::string& text) {
    return headless::textWidth(control.fontFace.empty() ? kDesignFace : control.fontFace, text);
}

void HeadlessRenderer::openHelp(Form& form, const std::string& path, unsigned command) {
    out << "help " << quote(path) << " command=" << command << " owner=" << form.name << "\n";
    helpOpened = true;
    lastHelpPath = path;
}

} // namespace ui::headless
