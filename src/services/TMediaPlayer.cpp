#include "services/TMediaPlayer.h"

#include "framework/Trace.h"
#include "platform/Files.h"

#include <stdexcept>

namespace {

enum : std::uint32_t {
    no_error = 0,
    cannot_play_file = 1,
    device_not_installed = 2,
    no_device_open = 3,
};

}

TMediaPlayer::TMediaPlayer(TComponent* owner)
    : TComponent(owner)
    , m_loop(EventLoop::current())
    , m_synth(platform::Synth::current())
    , m_alive(std::make_shared<TMediaPlayer*>(this))
{
}

TMediaPlayer::~TMediaPlayer()
{
    Close();
    m_alive.reset();
}

std::string TMediaPlayer::error_text(std::uint32_t code)
{
    switch (code) {
    case cannot_play_file:
        return "The specified file cannot be played on the specified MCI device. The file may be corrupt, not in "
               "the correct format, or no file handler available for this format.";
    case device_not_installed:
        return "The specified device is not installed on the system. Use the Drivers option in Control Panel to "
               "install the device.";
    default: return "Unknown error code";
    }
}

void TMediaPlayer::Open()
{
    if (m_device_id)
        Close();
    if (!m_synth.ready())
        m_error = device_not_installed;
    else if (auto bytes = platform::files::read_all(m_filename); !bytes)
        m_error = cannot_play_file;
    else if (m_tune = MidiFile::parse(*bytes); !m_tune)
        m_error = cannot_play_file;
    else {
        m_synth.load(*bytes, m_tune->end_tick());
        m_error = no_error;
        m_device_id = 1;
        return;
    }
    throw std::runtime_error(error_text(m_error));
}

void TMediaPlayer::Close()
{
    if (!m_device_id)
        return;
    finish_play(TMPNotifyValues::nvAborted);
    m_synth.unload();
    m_tune.reset();
    m_device_id = 0;
    m_error = no_error;
}

void TMediaPlayer::require_open() const
{
    if (!m_device_id)
        throw std::runtime_error("No MCI device open");
}

std::uint32_t TMediaPlayer::Play()
{
    require_open();
    if (AutoRewind && Position() == Length())
        Rewind();
    finish_play(TMPNotifyValues::nvSuperseded);
    m_play_pending = true;
    std::uint64_t number = ++m_play_number;
    std::weak_ptr<TMediaPlayer*> alive = m_alive;
    EventLoop* loop = &m_loop;
    // Runs on the output thread; the outcome is handled on ours.
    m_synth.play([loop, alive, number] {
        loop->post([alive, number] {
            auto self = alive.lock();
            if (self && (*self)->m_play_number == number)
                (*self)->finish_play(TMPNotifyValues::nvSuccessful);
        });
    });
    trace::event("music", { m_filename });
    m_error = no_error;
    return m_error;
}

void TMediaPlayer::Rewind()
{
    require_open();
    finish_play(TMPNotifyValues::nvAborted);
    m_synth.rewind();
    m_error = no_error;
}

std::int32_t TMediaPlayer::Position()
{
    if (!m_device_id) {
        m_error = no_device_open;
        return 0;
    }
    return std::int32_t(m_tune->millis_at(m_synth.tick()));
}

std::int32_t TMediaPlayer::Length()
{
    require_open();
    return std::int32_t(m_tune->length_millis());
}

// Superseded and aborted plays are told of through the loop as well, as the
// device's messages would be, never from inside the call that ended them.
void TMediaPlayer::finish_play(TMPNotifyValues outcome)
{
    if (!m_play_pending)
        return;
    m_play_pending = false;
    ++m_play_number;
    auto tell = [this, outcome] {
        m_notify_value = outcome;
        if (OnNotify)
            OnNotify(this);
    };
    if (outcome == TMPNotifyValues::nvSuccessful)
        tell();
    else
        m_loop.post([alive = std::weak_ptr<TMediaPlayer*>(m_alive), tell] {
            if (alive.lock())
                tell();
        });
}
