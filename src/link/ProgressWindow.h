#pragma once

// What a data read needs of its progress window. The link is given one window object and
// calls Create before the first page and Destroy after the last (or after a failure); between
// the two it only moves the bar.
class ProgressWindow {
public:
    virtual ~ProgressWindow() = default;
    virtual void Create() = 0;
    virtual void SetRange(int lo, int hi) = 0;
    virtual void SetPos(int pos) = 0;
    virtual void Destroy() = 0;
};

// For callers that show no progress.
class NoProgressWindow final : public ProgressWindow {
public:
    void Create() override {}
    void SetRange(int, int) override {}
    void SetPos(int) override {}
    void Destroy() override {}
};
