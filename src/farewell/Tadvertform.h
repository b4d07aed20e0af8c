#pragma once

#include "framework/TForm.h"
#include "framework/TImage.h"
#include "framework/TImgView.h"
#include "framework/TTimer.h"
#include "widgets/TImageButAdvanced.h"

#include <string>

// The farewell window: the advert picture of the chosen language in a
// scrollable view over its background, with one small exit button. It is made
// hidden, prepared by LoadAdvert and shown modally by the main window's exit;
// without its pictures it closes by itself shortly after it is shown.
class Tadvertform : public TForm {
public:
    explicit Tadvertform(TComponent* owner);

    // Components, in creation order (picture controls bottom to top).
    TImage& bground;
    TImage& Image1;
    TImageButAdvanced& exitbut;
    TImgView& adviewer;
    TTimer& closetimer;

    // The pictures of the install folder `basedir` for the language of
    // `langletter` ('a' or 'e') and `langcode` ("AFR" or "ENG").
    void LoadAdvert(std::string const& basedir, char langletter, std::string const& langcode);
    void exitbutClick(TObject* sender);
    void closetimerTimer(TObject* sender);

private:
    void design();
    void wire_events();
};
