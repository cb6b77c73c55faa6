#include "platform/desktop/qt/QtMessageBoxes.h"

#include <QMessageBox>
#include <array>

namespace ostrelin::platform::desktop {
namespace {

// The buttons of one button style, left to right, and the answer when the box is closed
// without choosing one (Esc or the title bar's close button).
struct ButtonSet {
    std::array<QMessageBox::StandardButton, 3> Buttons;
    int Dismissed;
};

ButtonSet ButtonsOf(unsigned style) {
    using B = QMessageBox::StandardButton;
    switch (style & 0xFu) {
        case MB_OKCANCEL:
            return {{B::Ok, B::Cancel, B::NoButton}, IDCANCEL};
        case MB_ABORTRETRYIGNORE:
            return {{B::Abort, B::Retry, B::Ignore}, IDCANCEL};
        case MB_YESNOCANCEL:
            return {{B::Yes, B::No, B::Cancel}, IDCANCEL};
        case MB_YESNO:
            return {{B::Yes, B::No, B::NoButton}, IDNO};
        case MB_RETRYCANCEL:
            return {{B::Retry, B::Cancel, B::NoButton}, IDCANCEL};
        default:
            return {{B::Ok, B::NoButton, B::NoButton}, IDOK};
    }
}

QMessageBox::Icon IconOf(unsigned style) {
    switch (style & 0xF0u) {
        case MB_ICONERROR:
            return QMessageBox::Critical;
        case MB_ICONQUESTION:
            return QMessageBox::Question;
        case MB_ICONWARNING:
            return QMessageBox::Warning;
        case MB_ICONINFORMATION:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

int IdOf(QMessageBox::StandardButton button, int dismissed) {
    switch (button) {
        case QMessageBox::Ok:
            return IDOK;
        case QMessageBox::Cancel:
            return IDCANCEL;
        case QMessageBox::Abort:
            return IDABORT;
        case QMessageBox::Retry:
            return IDRETRY;
        case QMessageBox::Ignore:
            return IDIGNORE;
        case QMessageBox::Yes:
            return IDYES;
        case QMessageBox::No:
            return IDNO;
        default:
            return dismissed;
    }
}

}  // namespace

int QtMessageBoxes::MessageBox(const std::string& text, const std::string& caption,
                               unsigned style) {
    const ButtonSet set = ButtonsOf(style);
    QMessageBox box(IconOf(style), QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::NoButton, owner_);
    box.setWindowModality(Qt::ApplicationModal);
    for (const QMessageBox::StandardButton button : set.Buttons) {
        if (button != QMessageBox::NoButton) {
            box.addButton(button);
        }
    }
    // The default button is the first unless the style names the second or third (0x100, 0x200).
    const std::size_t defaultIndex = std::min<std::size_t>((style >> 8) & 0x3u, 2);
    const QMessageBox::StandardButton defaultButton =
        set.Buttons[defaultIndex] != QMessageBox::NoButton ? set.Buttons[defaultIndex]
                                                           : set.Buttons[0];
    box.setDefaultButton(defaultButton);
    box.exec();
    return IdOf(box.standardButton(box.clickedButton()), set.Dismissed);
}

}  // namespace ostrelin::platform::desktop
