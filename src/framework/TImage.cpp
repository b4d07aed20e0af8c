#include "framework/TImage.h"

TImage::TImage(TComponent* owner) : TControl(owner)
{
    SetBounds(0, 0, 105, 105);
    m_picture.OnChange = [this](TObject*) { picture_changed(); };
}

void TImage::SetAutoSize(bool v)
{
    m_auto_size = v;
    picture_changed();
}

void TImage::picture_changed()
{
    if (m_auto_size && !m_picture.empty())
        SetBounds(Left(), Top(), m_picture.Width(), m_picture.Height());
    Invalidate();
}

void TImage::paint(Canvas& canvas)
{
    auto const* graphic = m_picture.Graphic();
    if (!graphic)
        return;
    if (!m_stretch || (graphic->width == Width() && graphic->height == Height())) {
        canvas.draw(*graphic, 0, 0);
        return;
    }
    // Nearest-neighbour scaling; the shell stretches nothing it ships.
    platform::Bitmap scaled(Width(), Height(), 0);
    for (int y = 0; y < Height(); ++y)
        for (int x = 0; x < Width(); ++x)
            scaled.at(x, y) = graphic->at(x * graphic->width / Width(), y * graphic->height / Height());
    canvas.draw(scaled, 0, 0);
}
