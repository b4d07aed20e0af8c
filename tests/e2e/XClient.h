#pragma once

#include <string>
#include <vector>

typedef struct _XDisplay Display;

// A client of the test's own on the X server: the stand-in panel, a window
// that listens for keys, and what the tests read of the server's state.
class XClient {
public:
    explicit XClient(std::string const& display);
    ~XClient();
    XClient(XClient const&) = delete;
    XClient& operator=(XClient const&) = delete;

    // A mapped dock window along the bottom of the screen, as a panel is.
    unsigned long make_dock(int width, int height);
    // A mapped window with the keyboard focus that counts presses of a key.
    unsigned long make_listener();
    int key_presses(char const* keysym);

    bool viewable(unsigned long window);
    bool mapped(unsigned long window);
    // The first top-level window whose name is `name`, 0 when none.
    unsigned long find(std::string const& name);
    std::vector<std::string> atoms_of(unsigned long window, char const* property);
    unsigned long focus();
    // Asks a window to close as a window manager's close button does.
    void ask_to_close(unsigned long window);
    void sync();

private:
    void hold_focus(unsigned long window);

    ::Display* m_display;
    unsigned long m_listener { 0 };
    std::vector<unsigned> m_pressed; // key codes, in order
};
