#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/desktop/MessageBoxes.h"

namespace ostrelin::platform::desktop {

// Message boxes drawn by Qt: the buttons and icon that the style names, the first button as the
// default, modal to the whole application. Button texts follow the installed Qt translation
// (InstallCzechStandardTexts makes Yes and No read "&Ano" and "&Ne").
class QtMessageBoxes final : public MessageBoxes {
  public:
    // `owner` (may be null) is the window the boxes are centred on.
    explicit QtMessageBoxes(QWidget* owner = nullptr) : owner_(owner) {}

    // Shows the box and waits for the user; returns IDYES, IDNO, IDOK, ... for the button chosen.
    int MessageBox(const std::string& text, const std::string& caption, unsigned style) override;

  private:
    QPointer<QWidget> owner_;
};

}  // namespace ostrelin::platform::desktop
