#pragma once

#include "framework/EventLoop.h"
#include "framework/Notify.h"
#include "framework/TComponent.h"
#include "platform/Synth.h"
#include "services/MidiFile.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// How the last play sent with a notification finished.
enum class TMPNotifyValues { nvSuccessful, nvSuperseded, nvAborted, nvFailure };

// The MIDI player: one tune at a time on the process's synth. Positions and
// lengths are milliseconds. The completion of a play (or its being
// superseded or aborted) reaches OnNotify as a posted call on the
// user-interface thread.
class TMediaPlayer : public TComponent {
public:
    explicit TMediaPlayer(TComponent* owner);
    ~TMediaPlayer() override;

    std::string const& FileName() const { return m_filename; }
    void SetFileName(std::string path) { m_filename = std::move(path); }
    bool AutoRewind { true };

    // Closes first; a file that is missing or not a playable MIDI file, or
    // a synth without instruments, raises the device's text and leaves the
    // player closed.
    void Open();
    void Close();
    // The device's result code; failures are returned, not raised.
    std::uint32_t Play();
    void Rewind();
    std::int32_t Position();
    std::int32_t Length();

    std::uint16_t DeviceID() const { return m_device_id; }
    std::uint32_t Error() const { return m_error; }
    TMPNotifyValues NotifyValue() const { return m_notify_value; }

    TNotifyEvent OnNotify;

    // The device's text for a result code.
    static std::string error_text(std::uint32_t code);

private:
    void require_open() const;
    // Ends the outstanding play with the given outcome, if there is one.
    void finish_play(TMPNotifyValues);

    EventLoop& m_loop;
    platform::Synth& m_synth;
    std::string m_filename;
    std::optional<MidiFile> m_tune;
    std::uint16_t m_device_id { 0 };
    std::uint32_t m_error { 0 };
    TMPNotifyValues m_notify_value { TMPNotifyValues::nvSuccessful };
    bool m_play_pending { false };
    // Tells a posted completion whether it still belongs to the current play.
    std::uint64_t m_play_number { 0 };
    std::shared_ptr<TMediaPlayer*> m_alive;
};
