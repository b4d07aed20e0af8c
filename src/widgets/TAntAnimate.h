#pragma once

#include "framework/TControl.h"
#include "framework/TPicture.h"
#include "platform/Bitmap.h"
#include "widgets/TTimerThread.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

// The mascot: short sequences of PNG frames from a frame folder, drawn over
// the part of the background picture that lies behind the control. A frame
// thread of its own times the steps; every frame change happens on the
// user-interface thread.
class TAntAnimate : public TControl {
public:
    explicit TAntAnimate(TComponent* owner);
    ~TAntAnimate() override;

    // Plain fields: they take effect at the next backdrop preparation.
    std::int32_t ObjOffsetx { 0 };
    std::int32_t ObjOffsety { 0 };
    std::int32_t ImgWidth { 75 };
    std::int32_t ImgHeight { 152 };

    std::string const& libpath() const { return m_libpath; }
    void Setlibpath(std::string);
    TPicture& BackgroundImg() { return m_background; }
    void SetBackgroundImg(TPicture const*);
    bool Animate() const { return m_animate; }
    void SetAnimate(bool v) { m_animate = v; }
    std::int32_t Mode() const { return m_mode; }
    void SetMode(std::int32_t);

    void StopTalking();
    void StartTalking();
    void BackgroundChanged();
    void PrepareBackdrop(int left, int top, int right, int bottom);
    // Serves pending events while it composes, so other handlers may run
    // inside the caller; so do StopTalking (SetMode(1)), Setlibpath, a
    // background change and each animation step, which compose a frame.
    void ComposeFrame(std::string const& name);

    void paint(Canvas&) override;

    // What the control shows and the frame it was composed from.
    platform::Bitmap const& framebuffer() const { return m_framebuffer; }
    std::string const& framename() const { return m_framename; }
    // False once a bad frame file has ended the animation.
    bool animating() const { return m_thread->running(); }

private:
    enum class Sequence { Face = 1, No = 2, Yes = 3 };

    void start_loop(std::int32_t mode, Sequence, std::int32_t interval);
    void step();
    void next_face_frame();
    void next_loop_frame(char const* base, std::int32_t length);
    TPicture const* frame_picture(std::string const& name);

    std::string m_libpath;
    TPicture m_background;
    std::atomic<bool> m_animate { false };
    std::int32_t m_mode { 1 };

    platform::Bitmap m_backdrop;
    platform::Bitmap m_framebuffer;
    // Decoded frames by file name; empty for one missing or undecodable.
    std::map<std::string, std::optional<TPicture>> m_frames;
    std::string m_framename { "front_1.png" };
    std::string m_shownname;
    std::string m_framebase { "front" };
    Sequence m_sequence { Sequence::Face };
    bool m_talking { false };
    std::int32_t m_stepcount { 0 };
    std::int32_t m_sequencepos { 0 };
    // The frame thread's time-out, read by it at each wait.
    std::atomic<std::int32_t> m_interval { 100 };
    std::unique_ptr<TTimerThread> m_thread;
};
