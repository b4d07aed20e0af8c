#pragma once

#include "framework/TComponent.h"
#include "platform/Bitmap.h"

// Makes every hint of the application a plain rectangle of one colour with
// the text in a given font.
class TShapeHint : public TComponent {
public:
    explicit TShapeHint(TComponent* owner);
};
