#include "widgets/TAntAnimate.h"

#include "framework/BadFile.h"
#include "framework/Random.h"
#include "framework/TApplication.h"
#include "platform/Files.h"

namespace {

constexpr std::uint32_t white = platform::rgb(255, 255, 255);

// RE-ENTRANT: serves every pending event (input, timer ticks, posted calls)
// in the middle of a composition, so the screen keeps answering while frames
// are composed. Whatever handler asked for the frame is still running: a
// mouse move whose click sound stops the mascot can have a click, another
// move or a prompt's end run inside it.
void process_messages()
{
    if (Application)
        Application->ProcessMessages();
}

}

TAntAnimate::TAntAnimate(TComponent* owner) : TControl(owner)
{
    SetBounds(Left(), Top(), 75, 152);
    PrepareBackdrop(0, 0, ImgWidth, ImgHeight);
    ComposeFrame(m_framename);
    m_background.OnChange = [this](TObject*) { BackgroundChanged(); };
    StopTalking();
    m_thread = std::make_unique<TTimerThread>(TTimerThread::Hooks {
        .timeout = [this] { return platform::Millis(m_interval); },
        .due = [this] { return m_animate.load(); },
        .tick = [this] { step(); } });
}

TAntAnimate::~TAntAnimate()
{
    m_animate = false;
    m_thread.reset();
}

void TAntAnimate::Setlibpath(std::string path)
{
    m_libpath = std::move(path);
    m_frames.clear();
    PrepareBackdrop(0, 0, ImgWidth, ImgHeight);
    ComposeFrame(m_framename);
    Repaint();
}

void TAntAnimate::SetBackgroundImg(TPicture const* picture) { m_background.Assign(picture); }

void TAntAnimate::BackgroundChanged()
{
    PrepareBackdrop(0, 0, ImgWidth, ImgHeight);
    ComposeFrame(m_framename);
    Repaint();
}

void TAntAnimate::SetMode(std::int32_t m)
{
    switch (m) {
    case 1:
        StopTalking();
        break;
    case 2:
        StartTalking();
        break;
    case 3:
        start_loop(3, Sequence::Yes, 80);
        break;
    case 4:
        start_loop(4, Sequence::No, 50);
        break;
    default:
        break;
    }
}

void TAntAnimate::StopTalking()
{
    // Off meanwhile, so a step that falls due is skipped.
    m_animate = false;
    m_mode = 1;
    m_sequence = Sequence::Face;
    m_talking = false;
    m_interval = 120;
    m_framename = "front_1.png";
    ComposeFrame(m_framename);
    m_framebase = "front";
    m_animate = !m_libpath.empty();
}

void TAntAnimate::StartTalking()
{
    m_mode = 2;
    m_sequence = Sequence::Face;
    m_talking = true;
    m_interval = 120;
    m_stepcount = 0;
    m_framebase = "front";
    m_animate = true;
}

void TAntAnimate::start_loop(std::int32_t mode, Sequence sequence, std::int32_t interval)
{
    m_mode = mode;
    m_sequence = sequence;
    m_talking = false;
    m_interval = interval;
    m_sequencepos = 0;
    m_animate = true;
}

void TAntAnimate::step()
{
    switch (m_sequence) {
    case Sequence::Face:
        next_face_frame();
        break;
    case Sequence::No:
        next_loop_frame("no", 12);
        break;
    case Sequence::Yes:
        next_loop_frame("yes", 8);
        break;
    }
    // While idle most steps pick the frame already shown: nothing is drawn.
    if (m_framename == m_shownname)
        return;
    ComposeFrame(m_framename);
    m_shownname = m_framename;
    Repaint();
}

void TAntAnimate::next_face_frame()
{
    ++m_stepcount;
    if (m_stepcount >= 10) {
        m_stepcount = 0;
        static char const* const bases[] = { "front", "left", "right" };
        m_framebase = bases[Random(3)];
        if (!m_talking)
            m_framebase = "front";
    } else {
        ++m_stepcount;
    }
    int n = Random(6) + 1;
    if (!m_talking && n < 6)
        n = 1;
    if (m_framebase.size() < 2)
        m_framebase = "front";
    m_framename = m_framebase + "_" + std::to_string(n) + ".png";
}

void TAntAnimate::next_loop_frame(char const* base, std::int32_t length)
{
    m_framebase = base;
    m_sequencepos = m_sequencepos % length + 1;
    m_framename = m_framebase + "_" + std::to_string(m_sequencepos) + ".png";
}

// Each frame file is read once per frame folder: the idle mascot blinks
// between two frames for as long as the screen stays up.
TPicture const* TAntAnimate::frame_picture(std::string const& name)
{
    auto known = m_frames.find(name);
    if (known != m_frames.end())
        return known->second ? &*known->second : nullptr;
    std::optional<TPicture>& frame = m_frames[name];
    std::string path = m_libpath + name;
    // A frame that cannot be decoded is left out like a missing one: the
    // mascot must not stop the screen it stands on.
    TPicture picture;
    if (platform::files::file_exists(path) && load_optional_picture(picture, path))
        frame = std::move(picture);
    return frame ? &*frame : nullptr;
}

// Re-entrant between its steps (process_messages above): the caller's state
// must be whole before it asks for a frame.
void TAntAnimate::ComposeFrame(std::string const& name)
{
    m_framebuffer = m_backdrop;
    process_messages();
    TPicture const* frame = frame_picture(name);
    if (!frame)
        return;
    process_messages();
    m_framebuffer.draw(*frame->Graphic(), 0, 0);
    process_messages();
}

void TAntAnimate::PrepareBackdrop(int left, int top, int right, int bottom)
{
    // White also where the offsets reach past the background picture.
    m_backdrop = platform::Bitmap(ImgWidth, ImgHeight, white);
    if (auto const* graphic = m_background.Graphic())
        m_backdrop.copy_from(*graphic, ObjOffsetx, ObjOffsety, right - left, bottom - top, left, top);
}

void TAntAnimate::paint(Canvas& canvas) { canvas.draw(m_framebuffer, 0, 0); }
