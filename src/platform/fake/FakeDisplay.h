#pragma once

#include "platform/Display.h"

#include <vector>

namespace platform {

// A screen for tests: the modes it offers, the one in force, and every
// record applied to it. An applied record's mode comes into force unless the
// test makes the screen refuse changes.
class FakeDisplay final : public Display {
public:
    static DisplayModeRecord record(int width, int height, int bits, int refresh, std::uint16_t word_44 = 0);

    Capabilities capabilities() override { return m_current; }
    std::optional<DisplayModeRecord> current_mode() override;
    std::optional<DisplayModeRecord> mode(int n) override;
    int apply(DisplayModeRecord const&) override;

    // Puts a mode into force as the user would, outside the shell.
    void set_current(int width, int height, int bits, int refresh);
    void offer(DisplayModeRecord r) { m_modes.push_back(r); }
    void refuse_changes() { m_refuse = true; }
    void hide_current_mode() { m_report_current = false; }

    std::vector<DisplayModeRecord> const& applied() const { return m_applied; }

private:
    Capabilities m_current { 60, 800, 600, 32 };
    std::vector<DisplayModeRecord> m_modes;
    std::vector<DisplayModeRecord> m_applied;
    bool m_refuse { false };
    bool m_report_current { true };
};

}
