#pragma once

#include <string>

namespace ostrelin::platform::desktop {

// Message box styles: the buttons in the low four bits, the icon in the next four.
inline constexpr unsigned MB_OK = 0;
inline constexpr unsigned MB_OKCANCEL = 1;
inline constexpr unsigned MB_ABORTRETRYIGNORE = 2;
inline constexpr unsigned MB_YESNOCANCEL = 3;
inline constexpr unsigned MB_YESNO = 4;
inline constexpr unsigned MB_RETRYCANCEL = 5;
inline constexpr unsigned MB_ICONERROR = 16;
inline constexpr unsigned MB_ICONQUESTION = 32;
inline constexpr unsigned MB_ICONWARNING = 48;
inline constexpr unsigned MB_ICONINFORMATION = 64;

// The style of every confirmation question: Yes and No with the information icon (68).
inline constexpr unsigned ConfirmationStyle = MB_YESNO | MB_ICONINFORMATION;

// The button that closed a message box.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Modal questions and notices to the user.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;

    // Shows `text` under `caption` with the buttons and icon of `style`, modal to the application;
    // returns the ID of the button the user chose.
    virtual int MessageBox(const std::string& text, const std::string& caption, unsigned style) = 0;
};

}  // namespace ostrelin::platform::desktop
