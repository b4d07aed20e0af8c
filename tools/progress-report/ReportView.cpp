#include "ReportView.h"

#include "ActivityPictures.h"
#include "platform/ImageDecoder.h"
#include "resources/StoredPictures.h"

#include <algorithm>

namespace {

struct Words {
    char const* title;
    char const* language;
    char const* afrikaans;
    char const* english;
    char const* and_word;
    char const* in_all;
    char const* not_yet;
    char const* name;
    char const* plays;
    char const* last;
    char const* of;
    char const* scroll_hint;
    char const* nobody;
    char const* busy;
    char const* damaged;
    char const* unreadable;
};

Words const afrikaans_words { "Verslag", "Taal", "Afrikaans", "Engels", "en", "Altesaam %d keer gespeel",
    "%s het nog niks gespeel nie. Kies 'n aktiwiteit op die spyskaart!", "Naam", "Keer gespeel",
    "Laaste aktiwiteit", "van", "rol met die muiswiel of die pyltjies",
    "Niemand het nog 'n aktiwiteit gespeel nie. Speel gerus een, en kom kyk dan hier hoe dit gaan!",
    "Die lys van spelers is nou net besig. Gaan terug en probeer binnekort weer.",
    "Die lys van spelers is beskadig en kan nie gelees word nie. Die aktiwiteite werk steeds.",
    "Die lys van spelers kan nie oopgemaak word nie. Die aktiwiteite werk steeds." };
Words const english_words { "Progress report", "Language", "Afrikaans", "English", "and", "Played %d times in all",
    "%s has not played anything yet. Choose an activity on the menu!", "Name", "Times played", "Last activity",
    "of", "scroll with the mouse wheel or the arrow keys", "Nobody has played an activity yet. Play one, then come back here to see how it went!",
    "The list of players is busy just now. Go back and try again in a moment.",
    "The list of players is damaged and cannot be read. The activities still work.",
    "The list of players cannot be opened. The activities still work." };

namespace colour {
SDL_Color const background { 255, 236, 150, 255 };
SDL_Color const band { 80, 140, 230, 255 };
SDL_Color const panel { 255, 255, 255, 255 };
SDL_Color const track { 232, 236, 242, 255 };
SDL_Color const ink { 50, 50, 70, 255 };
SDL_Color const soft_ink { 110, 110, 130, 255 };
SDL_Color const white { 255, 255, 255, 255 };
SDL_Color const yellow { 255, 230, 80, 255 };
SDL_Color const highlight { 255, 244, 200, 255 };
}

SDL_Color bar_colour(int slot)
{
    std::uint32_t const c = activity_colour(slot);
    return { std::uint8_t(c >> 16), std::uint8_t(c >> 8), std::uint8_t(c), 255 };
}

constexpr int name_room = 400;
constexpr int name_column = 310;
constexpr int table_top = 414;
constexpr int table_row = 24;
constexpr std::size_t table_rows = 5;

std::string formatted(char const* pattern, std::string const& value)
{
    std::string text = pattern;
    std::size_t at = text.find_first_of('%');
    return at == std::string::npos ? text : text.replace(at, 2, value);
}

SdlHandle<SDL_Texture> stored_texture(CardScreen const& screen, char const* name)
{
    try {
        return screen.texture(platform::decode_png(resources::stored_picture(name)));
    } catch (platform::DecodeError const&) {
        return nullptr;
    }
}

bool inside(SDL_Rect const& r, int x, int y) { return x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h; }

// Fits the picture into the box with its aspect kept, centred.
void draw_fitted(SDL_Renderer* renderer, SDL_Texture* texture, SDL_Rect const& box)
{
    int w = 0, h = 0;
    if (!texture || SDL_QueryTexture(texture, nullptr, nullptr, &w, &h) != 0 || w <= 0 || h <= 0)
        return;
    double const scale = std::min(double(box.w) / w, double(box.h) / h);
    int const dw = int(w * scale), dh = int(h * scale);
    SDL_Rect const where { box.x + (box.w - dw) / 2, box.y + (box.h - dh) / 2, dw, dh };
    SDL_RenderCopy(renderer, texture, nullptr, &where);
}

}

ReportView::ReportView(CardScreen& screen, ProgressReport const& report, ActivityStart const& start)
    : m_screen(screen)
    , m_report(report)
    , m_start(start)
    , m_exit_rest(stored_texture(screen, "exitbut_rest.png"))
    , m_exit_hover(stored_texture(screen, "exitbut_hover.png"))
{
    // The table opens on the current student's row.
    if (report.current)
        scroll(std::ptrdiff_t(*report.current));
    auto pictures = activity_pictures(start.installdir(), start.afrikaans());
    for (std::size_t slot = 0; slot < pictures.size(); ++slot)
        m_pictures[slot] = screen.texture(pictures[slot]);
}

void ReportView::draw()
{
    m_screen.clear(colour::background);
    draw_header();
    if (m_report.state != ProgressReport::State::ready) {
        draw_message();
    } else {
        if (m_report.current)
            draw_bars(m_report.students[*m_report.current]);
        else
            draw_no_plays();
        draw_table();
    }
    draw_exit_button();
}

void ReportView::draw_header()
{
    Words const& words = m_start.afrikaans() ? afrikaans_words : english_words;
    m_screen.fill({ 0, 0, CardScreen::width, 92 }, colour::band);
    m_screen.text(words.title, 22, colour::yellow, 24, 22, Align::left);
    // A long name gives way to the language and the total beside it.
    int name_size = 42;
    while (name_size > 20 && m_screen.text_width(m_start.student(), name_size) > name_room)
        name_size -= 2;
    m_screen.text(m_start.student(), name_size, colour::white, 24, 60, Align::left);
    if (!m_report.current)
        return;
    StudentRow const& row = m_report.students[*m_report.current];
    std::string chosen = row.afrikaans ? words.afrikaans : "";
    if (row.english)
        chosen = chosen.empty() ? words.english : chosen + " " + words.and_word + " " + words.english;
    if (!chosen.empty())
        m_screen.text(std::string(words.language) + ": " + chosen, 22, colour::white, 690, 30, Align::right);
    m_screen.text(formatted(words.in_all, std::to_string(row.total)), 22, colour::yellow, 690, 62, Align::right);
}

void ReportView::draw_bars(StudentRow const& row)
{
    m_screen.fill({ 10, 102, CardScreen::width - 20, 300 }, colour::panel);
    std::int64_t const most = m_report.most_plays();
    for (std::size_t bar = 0; bar < activity_catalogue::activity_slots.size(); ++bar) {
        int const slot = activity_catalogue::activity_slots[bar];
        int const top = first_bar_top + int(bar) * bar_step;
        int const middle = top + bar_height / 2;
        draw_fitted(m_screen.renderer(), m_pictures[slot].get(), { 22, top - 6, 46, 34 });
        m_screen.text(activity_name(slot, m_start.afrikaans()), 22, colour::ink, 80, middle, Align::left);
        m_screen.fill({ bar_left, top, bar_room, bar_height }, colour::track);
        int const length = bar_length(row.plays[slot], most, bar_room, bar_unit);
        if (length > 0)
            m_screen.fill({ bar_left, top, length, bar_height }, bar_colour(slot));
        m_screen.text(std::to_string(row.plays[slot]), 22, row.plays[slot] > 0 ? colour::ink : colour::soft_ink,
            bar_left + length + 10, middle, Align::left);
    }
}

void ReportView::draw_no_plays()
{
    Words const& words = m_start.afrikaans() ? afrikaans_words : english_words;
    m_screen.fill({ 10, 102, CardScreen::width - 20, 300 }, colour::panel);
    m_screen.paragraph(formatted(words.not_yet, m_start.student()), 30, colour::ink, CardScreen::width / 2, 200, 640);
}

void ReportView::draw_table()
{
    Words const& words = m_start.afrikaans() ? afrikaans_words : english_words;
    m_screen.fill({ 10, table_top, CardScreen::width - 20, CardScreen::height - table_top - 8 }, colour::panel);
    int const heading = table_top + 16;
    m_screen.text(words.name, 18, colour::soft_ink, 30, heading, Align::left);
    m_screen.text(words.plays, 18, colour::soft_ink, 470, heading, Align::right);
    m_screen.text(words.last, 18, colour::soft_ink, 520, heading, Align::left);
    std::size_t const count = m_report.students.size();
    std::size_t const last = std::min(count, m_first_row + table_rows);
    if (count > table_rows)
        m_screen.text(std::to_string(m_first_row + 1) + "-" + std::to_string(last) + " " + words.of + " "
                + std::to_string(count) + ": " + words.scroll_hint,
            16, colour::soft_ink, CardScreen::width / 2, CardScreen::height - 22);
    for (std::size_t i = m_first_row; i < last; ++i) {
        StudentRow const& row = m_report.students[i];
        int const top = table_top + 30 + int(i - m_first_row) * table_row;
        if (m_report.current == i)
            m_screen.fill({ 20, top, CardScreen::width - 40, table_row }, colour::highlight);
        int const middle = top + table_row / 2;
        m_screen.text(m_screen.fitted(row.name, 20, name_column), 20, colour::ink, 30, middle, Align::left);
        m_screen.text(std::to_string(row.total), 20, colour::ink, 470, middle, Align::right);
        m_screen.text(row.last_activity ? activity_name(*row.last_activity, m_start.afrikaans()) : "-", 20,
            row.last_activity ? colour::ink : colour::soft_ink, 520, middle, Align::left);
    }
}

void ReportView::draw_message()
{
    Words const& words = m_start.afrikaans() ? afrikaans_words : english_words;
    char const* text = words.unreadable;
    switch (m_report.state) {
    case ProgressReport::State::missing:
    case ProgressReport::State::empty:
        text = words.nobody;
        break;
    case ProgressReport::State::locked:
        text = words.busy;
        break;
    case ProgressReport::State::damaged:
        text = words.damaged;
        break;
    case ProgressReport::State::ready:
    case ProgressReport::State::unreadable:
        break;
    }
    m_screen.fill({ 80, 180, CardScreen::width - 160, 260 }, colour::band);
    m_screen.paragraph(text, 32, colour::white, CardScreen::width / 2, 230, CardScreen::width - 220);
}

void ReportView::draw_exit_button()
{
    draw_fitted(m_screen.renderer(), (m_exit_hovered && m_exit_hover ? m_exit_hover : m_exit_rest).get(), exit_button);
}

bool ReportView::scroll(std::ptrdiff_t rows)
{
    std::size_t const count = m_report.students.size();
    std::size_t const most_first = count > table_rows ? count - table_rows : 0;
    std::ptrdiff_t const wanted = std::ptrdiff_t(m_first_row) + rows;
    std::size_t const first = std::min<std::size_t>(most_first, std::size_t(std::max<std::ptrdiff_t>(wanted, 0)));
    bool const moved = first != m_first_row;
    m_first_row = first;
    return moved;
}

CardScreen::Next ReportView::handle(SDL_Event const& e)
{
    using Next = CardScreen::Next;
    switch (e.type) {
    case SDL_KEYDOWN:
        switch (e.key.keysym.sym) {
        case SDLK_ESCAPE:
            return Next::end;
        case SDLK_UP:
            return scroll(-1) ? Next::redraw : Next::wait;
        case SDLK_DOWN:
            return scroll(1) ? Next::redraw : Next::wait;
        case SDLK_PAGEUP:
            return scroll(-std::ptrdiff_t(table_rows)) ? Next::redraw : Next::wait;
        case SDLK_PAGEDOWN:
            return scroll(std::ptrdiff_t(table_rows)) ? Next::redraw : Next::wait;
        default:
            return Next::wait;
        }
    case SDL_MOUSEWHEEL:
        return scroll(e.wheel.y > 0 ? -1 : e.wheel.y < 0 ? 1 : 0) ? Next::redraw : Next::wait;
    case SDL_MOUSEMOTION: {
        bool const over = inside(exit_button, e.motion.x, e.motion.y);
        bool const changed = over != m_exit_hovered;
        m_exit_hovered = over;
        return changed ? Next::redraw : Next::wait;
    }
    case SDL_MOUSEBUTTONUP:
        return e.button.button == SDL_BUTTON_LEFT && inside(exit_button, e.button.x, e.button.y) ? Next::end
                                                                                                  : Next::wait;
    default:
        return Next::wait;
    }
}
