// Points and rectangles of the main window's client area, and what the core
// answers after each event: the rectangles the shell must repaint. The core
// never talks to the window system; it gathers repaints here and the shell
// invalidates them.
#pragma once

#include <vector>

namespace pelorn {

struct ClientPoint {
    int x;
    int y;
    friend bool operator==(const ClientPoint& a, const ClientPoint& b) { return a.x == b.x && a.y == b.y; }
};

struct ClientRect {
    int left;
    int top;
    int right;
    int bottom;
    friend bool operator==(const ClientRect& a, const ClientRect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
};

// One repaint request: a rectangle, or the whole client area; its background
// erased first or not.
struct Repaint {
    ClientRect rect;  // {0, 0, 0, 0} with wholeClient
    bool erase;
    bool wholeClient;
    friend bool operator==(const Repaint& a, const Repaint& b) {
        return a.rect == b.rect && a.erase == b.erase && a.wholeClient == b.wholeClient;
    }
};

// The repaints an event asked for, in order. The shell takes them after each
// event; tests read them.
class Repaints {
public:
    void rect(const ClientRect& area, bool erase) { list_.push_back({area, erase, false}); }
    void rect(int left, int top, int right, int bottom, bool erase) { rect(ClientRect{left, top, right, bottom}, erase); }
    void all(bool erase) { list_.push_back({{0, 0, 0, 0}, erase, true}); }

    const std::vector<Repaint>& list() const { return list_; }
    bool empty() const { return list_.empty(); }
    // Hands the requests over and starts a new list.
    std::vector<Repaint> take() {
        std::vector<Repaint> taken;
        taken.swap(list_);
        return taken;
    }

private:
    std::vector<Repaint> list_;
};

}  // namespace pelorn
