#pragma once

#include "framework/Notify.h"
#include "framework/TComponent.h"

#include <cstdint>
#include <functional>
#include <memory>

class EventLoop;

using TShortCut = std::uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

// A system-wide key combination held for the life of the component. While
// it is registered, pressing it anywhere reaches no other program; OnKeyDown
// hears of it on the user-interface thread when bound.
class TGlobalHotKey : public TComponent {
public:
    explicit TGlobalHotKey(TComponent* owner);
    ~TGlobalHotKey() override;

    TShortCut HotKey() const { return m_hot_key; }
    void SetHotKey(TShortCut);
    bool Active() const { return m_active; }
    void SetActive(bool);

    std::function<void(TObject* sender, int key, TShiftState shift)> OnKeyDown;

    // The key code and the shift state that make up a shortcut word.
    static int key_of(TShortCut);
    static TShiftState shift_of(TShortCut);

private:
    void register_key(TShortCut);
    void release_key();

    EventLoop& m_loop;
    int const m_id;
    TShortCut m_hot_key { 0 };
    bool m_active { true };
    // Presses queued for the user-interface thread reach the component only
    // while it exists.
    std::shared_ptr<TGlobalHotKey*> m_alive;
};
