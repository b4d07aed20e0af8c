#include "framework/TMessageForm.h"

#include "framework/TButton.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int caption_height = 20;
constexpr int margin = 14;
constexpr int icon_size = 32;
constexpr int button_width = 75;
constexpr int button_height = 25;
const platform::FontSpec text_font { "MS Sans Serif", 13, false };
const platform::FontSpec caption_font { "MS Sans Serif", 13, true };

constexpr int max_text_width = 560;

// Breaks the text at its newlines, and between words where a line would be
// wider than a box should be.
std::vector<std::string> wrap_lines(std::string const& text, platform::TextRenderer& renderer)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        std::size_t nl = text.find('\n', start);
        std::string paragraph = text.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
        std::string line;
        std::size_t pos = 0;
        while (pos <= paragraph.size()) {
            std::size_t space = paragraph.find(' ', pos);
            std::string word = paragraph.substr(pos, space == std::string::npos ? std::string::npos : space - pos);
            std::string candidate = line.empty() ? word : line + " " + word;
            if (!line.empty() && renderer.text_width(text_font, candidate) > max_text_width) {
                lines.push_back(line);
                line = word;
            } else {
                line = candidate;
            }
            if (space == std::string::npos)
                break;
            pos = space + 1;
        }
        lines.push_back(line);
        if (nl == std::string::npos)
            return lines;
        start = nl + 1;
    }
}

// A disc of `colour` with an antialiased edge, for the kind's icon.
platform::Bitmap disc(std::uint32_t colour)
{
    platform::Bitmap b(icon_size, icon_size, 0);
    double r = icon_size / 2.0 - 0.5;
    for (int y = 0; y < icon_size; ++y)
        for (int x = 0; x < icon_size; ++x) {
            double d = std::hypot(x + 0.5 - icon_size / 2.0, y + 0.5 - icon_size / 2.0);
            double a = std::clamp(r - d + 0.5, 0.0, 1.0);
            b.at(x, y) = (std::uint32_t(a * 255) << 24) | (colour & 0xffffff);
        }
    return b;
}

platform::Bitmap triangle(std::uint32_t colour)
{
    platform::Bitmap b(icon_size, icon_size, 0);
    for (int y = 2; y < icon_size - 1; ++y) {
        int half = (y - 2) / 2 + 1;
        b.fill_rect(icon_size / 2 - half, y, 2 * half, 1, colour);
    }
    return b;
}

}

TMessageForm::TMessageForm(TComponent* owner, TMsgDlgType type, std::string text, TMsgDlgButtons buttons)
    : TForm(owner)
    , m_type(type)
    , m_text(std::move(text))
    , m_lines(wrap_lines(m_text, Application->text_renderer()))
    , m_buttons(buttons)
{
    static char const* const captions[] = { "Information", "Warning", "Confirm", nullptr };
    SetCaption(captions[int(type)] ? captions[int(type)] : Application->Title());
    auto& renderer = Application->text_renderer();
    int text_width = 0;
    for (auto const& line : m_lines)
        text_width = std::max(text_width, renderer.text_width(text_font, line));
    int line_height = renderer.line_height(text_font);
    int text_height = line_height * int(m_lines.size());
    int button_count = buttons == TMsgDlgButtons::mbOK ? 1 : 2;
    int buttons_width = button_count * button_width + (button_count - 1) * 8;
    int width = std::clamp(std::max(icon_size + text_width + 3 * margin, buttons_width + 2 * margin), 220, 790);
    int body = std::max(icon_size, text_height);
    int height = caption_height + margin + body + margin + button_height + margin;
    SetBounds((800 - width) / 2, (600 - height) / 2, width, height);

    int bx = (width - buttons_width) / 2, by = height - margin - button_height;
    if (buttons == TMsgDlgButtons::mbOK) {
        add_button("OK", mrOk, bx, by, true);
        m_default_result = m_cancel_result = mrOk;
    } else {
        add_button("&Yes", mrYes, bx, by, true);
        add_button("&No", mrNo, bx + button_width + 8, by, false);
        m_default_result = mrYes;
        m_cancel_result = mrNo;
    }
}

void TMessageForm::add_button(std::string caption, int result, int x, int y, bool is_default)
{
    auto& b = add<TButton>(caption);
    b.SetParent(this);
    b.SetBounds(x, y, button_width, button_height);
    b.SetCaption(std::move(caption));
    b.SetModalResult(result);
    b.SetDefault(is_default);
}

void TMessageForm::paint(Canvas& canvas)
{
    using platform::rgb;
    TForm::paint(canvas);
    canvas.frame_rect(0, 0, Width(), Height(), rgb(64, 64, 64));
    canvas.fill_rect(1, 1, Width() - 2, caption_height - 1, rgb(10, 36, 106));
    canvas.text(caption_font, 6, 3, Caption(), rgb(255, 255, 255));
    paint_icon(canvas, margin, caption_height + margin);
    int line_height = canvas.line_height(text_font);
    int y = caption_height + margin;
    for (auto const& line : m_lines) {
        canvas.text(text_font, margin * 2 + icon_size, y, line, rgb(0, 0, 0));
        y += line_height;
    }
}

void TMessageForm::paint_icon(Canvas& canvas, int x, int y) const
{
    using platform::rgb;
    struct Icon {
        bool round;
        std::uint32_t colour;
        char const* glyph;
        std::uint32_t glyph_colour;
    };
    static Icon const icons[] = {
        { true, rgb(0, 80, 220), "i", rgb(255, 255, 255) }, // information
        { false, rgb(250, 200, 0), "!", rgb(0, 0, 0) }, // warning
        { true, rgb(0, 80, 220), "?", rgb(255, 255, 255) }, // confirmation
        { true, rgb(200, 0, 0), "x", rgb(255, 255, 255) }, // error
    };
    Icon const& icon = icons[int(m_type)];
    canvas.draw(icon.round ? disc(icon.colour) : triangle(icon.colour), x, y);
    platform::FontSpec glyph_font { "Arial", 24, true };
    int w = canvas.text_width(glyph_font, icon.glyph);
    canvas.text(glyph_font, x + (icon_size - w) / 2, y + 3, icon.glyph, icon.glyph_colour);
}

void TMessageForm::key_down(int key, TShiftState)
{
    bool question = m_buttons == TMsgDlgButtons::mbYesNo;
    if (key == platform::keys::Return)
        SetModalResult(m_default_result);
    else if (key == platform::keys::Escape)
        SetModalResult(m_cancel_result);
    else if (question && key == 'y')
        SetModalResult(mrYes);
    else if (question && key == 'n')
        SetModalResult(mrNo);
}
