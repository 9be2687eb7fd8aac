// Timers: a window timer of the form window runs while the model's timer is enabled.
#include "ui/App.h"
#include "ui/win32/ControlAdapter.h"

namespace ui::win32 {

namespace {

class TimerAdapter final : public ControlAdapter {
  public:
    TimerAdapter(Timer& timer, WORD id) : ControlAdapter(timer, id), timer(timer) {}

    void create(const AdapterHost&, const Control*) override {}

    void refresh(const AdapterHost& host) override {
        const bool wanted = timer.enabled && timer.interval > 0;
        if (wanted && (!running || interval != timer.interval)) {
            SetTimer(host.window, id, static_cast<UINT>(timer.interval), nullptr);
            running = true;
            interval = timer.interval;
        } else if (!wanted && running) {
            KillTimer(host.window, id);
            running = false;
        }
    }

    void tick() override {
        // A tick already queued when the timer was stopped is dropped.
        if (!running || !timer.enabled) {
            return;
        }
        Timer& ticking = timer;
        timer.form.app.fire([&ticking] {
            if (ticking.onTimer) {
                ticking.onTimer();
            }
        });
    }

  private:
    Timer& timer;
    bool running = false;
    int interval = 0;
};

} // namespace

std::unique_ptr<ControlAdapter> adapt(Timer& timer, WORD id) {
    return std::make_unique<TimerAdapter>(timer, id);
}

} // namespace ui::win32
