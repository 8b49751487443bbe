#pragma once

// The wait before each page of a data read. A window system may substitute a pause that keeps
// its windows painted while it waits; tests substitute one that only records.
class Pause {
public:
    virtual ~Pause() = default;
    virtual void Sleep(int ms) = 0;
};

class SleepingPause final : public Pause {
public:
    void Sleep(int ms) override;
};
