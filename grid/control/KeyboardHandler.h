// KeyboardHandler: the grid's key sink. On a key-down it reads the grid key
// state and the modifiers, looks the key up in its key action map and hands
// the action to the key action performer; a key that produced an action is
// consumed together with its WM_CHAR and WM_KEYUP.
#pragma once

#include "KeyActionMap.h"
#include "KeyMessageSink.h"
#include "KeyboardHost.h"

#include <cstdint>
#include <memory>

class KeyboardHandler : public KeyMessageSink
{
public:
    // Key messages the handler registers for: WM_KEYDOWN, WM_KEYUP,
    // WM_CHAR, WM_SYSKEYDOWN.
    static constexpr std::uint32_t Mask = 0x17;

    explicit KeyboardHandler(KeyboardHost& host) : m_host(host) {}
    ~KeyboardHandler() override;

    // Registers (again) with the host's dispatcher, making the map first.
    bool Register();
    void Unregister();
    bool IsRegistered() const { return m_registered; }
    // The map, or null before the first registration.
    KeyActionMap* GetKeyActionMap() const { return m_map.get(); }

    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnSysKeyDown(WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnKeyUp(WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnChar(WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    KeyboardHost& m_host;
    std::unique_ptr<KeyActionMap> m_map;
    std::uint32_t m_registrationId = 0;
    bool m_registered = false;
    bool m_swallow = false;
};
