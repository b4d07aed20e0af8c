#pragma once

#include "widgets/ImageButtonBase.h"

#include <optional>

// A picture button whose press shifts the whole control one pixel right and
// down until the mouse button is released.
class TImageBut : public ImageButtonBase {
public:
    explicit TImageBut(TComponent* owner);

protected:
    void press() override;
    void release() override;

private:
    struct Position {
        int left, top;
    };
    // Set only while a press has the control moved.
    std::optional<Position> m_saved;
};
