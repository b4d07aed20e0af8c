#include "services/TAnyPlayer.h"

#include "platform/Files.h"

TAnyPlayer::TAnyPlayer(TComponent* owner, bool autoplay)
    : TComponent(owner)
    , m_autoplay(autoplay)
    , m_core(platform::AudioDevice::current(), autoplay)
    , m_poll(this)
{
    m_poll.SetEnabled(false);
    m_poll.SetInterval(150);
    m_poll.OnTimer = [this](TObject*) { CheckEnd(); };
}

void TAnyPlayer::Open()
{
    if (!platform::files::file_exists(m_filename))
        return;
    m_core.Open(m_filename);
    m_poll.SetEnabled(true);
}

void TAnyPlayer::Play()
{
    m_core.Play();
    m_poll.SetEnabled(true);
}

void TAnyPlayer::Stop() { m_core.Stop(); }

void TAnyPlayer::CheckEnd()
{
    std::int64_t duration = m_core.Duration();
    // The end of a file of no length shows only as its completion.
    bool ended = (m_core.Position() == duration && duration > 0) || m_core.Completed();
    if (!ended)
        return;
    m_poll.SetEnabled(false);
    Stop();
    if (OnEndPlay)
        OnEndPlay(this);
}
