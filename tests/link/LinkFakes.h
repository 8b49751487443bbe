#pragma once

#include "Pause.h"
#include "ProgressWindow.h"

#include <functional>
#include <string>
#include <vector>

// Records each pause instead of sleeping.
class FakePause final : public Pause {
public:
    void Sleep(int ms) override {
        sleeps.push_back(ms);
        if (onSleep) {
            onSleep();
        }
    }
    std::vector<int> sleeps;
    std::function<void()> onSleep;
};

// Records what the link does with its progress window, one line per call.
class FakeProgressWindow final : public ProgressWindow {
public:
    void Create() override { events.push_back("create"); }
    void SetRange(int lo, int hi) override {
        events.push_back("range " + std::to_string(lo) + " " + std::to_string(hi));
    }
    void SetPos(int pos) override { events.push_back("pos " + std::to_string(pos)); }
    void Destroy() override { events.push_back("destroy"); }
    std::vector<std::string> events;
};
