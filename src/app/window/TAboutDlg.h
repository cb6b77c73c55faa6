#pragma once

#include <QDialog>

namespace ostrelin::app {

// "O programu": the program's name, purpose and version.
class TAboutDlg final : public QDialog {
    Q_OBJECT

  public:
    explicit TAboutDlg(QWidget* parent = nullptr);
};

}  // namespace ostrelin::app
