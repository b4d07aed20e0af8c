#include "framework/TShapeHint.h"

#include "framework/TApplication.h"

TShapeHint::TShapeHint(TComponent* owner) : TComponent(owner)
{
    Application->HintColor = platform::rgb(255, 255, 204);
    Application->HintFont = platform::FontSpec { "Arial", 16, true };
}
