#pragma once

#include "framework/Notify.h"
#include "framework/TComponent.h"
#include "framework/TTimer.h"
#include "services/TPlayer.h"

#include <cstdint>
#include <string>

// The sound player: plays one sound file at a time and reports the end of
// each playback once, through a 150 ms poll on the user-interface thread.
class TAnyPlayer : public TComponent {
public:
    explicit TAnyPlayer(TComponent* owner, bool autoplay = false);

    std::string const& Filename() const { return m_filename; }
    void SetFilename(std::string path) { m_filename = std::move(path); }
    bool Autoplay() const { return m_autoplay; }

    // Does nothing unless Filename names an existing file (not a folder).
    void Open();
    void Play();
    void Stop();
    // The poll's work: stops the player and fires OnEndPlay once the
    // playback has ended.
    void CheckEnd();

    std::int64_t Duration() const { return m_core.Duration(); }
    std::int64_t Position() const { return m_core.Position(); }

    TNotifyEvent OnEndPlay;

private:
    std::string m_filename;
    bool m_autoplay;
    TPlayer m_core;
    TTimer m_poll;
};
