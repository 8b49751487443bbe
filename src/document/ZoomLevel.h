#pragma once

#include <memory>

// One window of the zoom stack; below is the older window, none for the whole recording.
struct ZoomLevel {
    ZoomLevel(int first_, int last_, int top_, int bottom_, std::unique_ptr<ZoomLevel> below_)
        : first(first_), last(last_), top(top_), bottom(bottom_), below(std::move(below_)) {}

    // Frees the entries below one at a time: a deep stack must not recurse once per entry.
    ~ZoomLevel() {
        std::unique_ptr<ZoomLevel> next = std::move(below);
        while (next) {
            next = std::move(next->below);
        }
    }

    ZoomLevel(const ZoomLevel&) = delete;
    ZoomLevel& operator=(const ZoomLevel&) = delete;

    int first;
    int last;
    int top;
    int bottom;
    std::unique_ptr<ZoomLevel> below;
};
