#pragma once
// Steps run one after another by a timer inside whatever message loop runs, a form's or a
// modal box's; a step that returns false is tried again on the next tick. When the last step
// is done, or one has waited longer than the deadline, `finish` runs: it ends the loop.

#include <windows.h>

#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace support {

class TTimerSteps {
public:
    struct TStep {
        template <typename F>
        requires std::is_invocable_r_v<bool, F&> TStep(F run, std::string what = {})
            : Run(std::move(run)), What(std::move(what)) {}
        std::function<bool()> Run;
        std::string What; // what it waits for, for the report
    };

    TTimerSteps(std::vector<TStep> steps, std::function<void()> finish, DWORD deadlineMs = 10000,
                UINT periodMs = 30)
        : steps_(std::move(steps)), finish_(std::move(finish)), deadline_(deadlineMs),
          timer_(SetTimer(nullptr, 0, periodMs, &Tick)) {
        Current() = this;
    }
    TTimerSteps(const TTimerSteps&) = delete;
    ~TTimerSteps() {
        KillTimer(nullptr, timer_);
        Current() = nullptr;
    }

    bool Completed() const { return next_ == steps_.size(); }
    bool TimedOut() const { return finished_ && !Completed(); }
    std::size_t Step() const { return next_; } // the first step not done
    std::string Waiting() const { return Completed() ? std::string() : steps_[next_].What; }

private:
    static TTimerSteps*& Current() {
        static TTimerSteps* current = nullptr;
        return current;
    }
    // The deadline counts for each step from the end of the one before.
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        TTimerSteps* s = Current();
        if (!s || s->finished_)
            return;
        if (!s->Completed() && s->steps_[s->next_].Run()) {
            ++s->next_;
            s->start_ = GetTickCount();
        }
        if (s->Completed() || GetTickCount() - s->start_ > s->deadline_) {
            s->finished_ = true;
            s->finish_();
        }
    }

    std::vector<TStep> steps_;
    std::function<void()> finish_;
    DWORD deadline_;
    UINT_PTR timer_;
    DWORD start_ = GetTickCount();
    std::size_t next_ = 0;
    bool finished_ = false;
};

} // namespace support
