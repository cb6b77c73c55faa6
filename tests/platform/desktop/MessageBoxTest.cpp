#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <sstream>

#include "platform/desktop/qt/CzechStandardTexts.h"
#include "platform/desktop/qt/QtErrorReport.h"
#include "platform/desktop/qt/QtMessageBoxes.h"

namespace ostrelin::platform::desktop {
namespace {

// What the user saw in a message box.
struct Seen {
    QString Title;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QStringList Buttons;
    QString DefaultButton;
    Qt::WindowModality Modality = Qt::NonModal;
};

// Waits for the next message box to open, notes what it shows and lets `answer` close it.
void AnswerNextBox(Seen& seen, std::function<void(QMessageBox&)> answer) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [poll, &seen, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        poll->deleteLater();
        poll->stop();
        seen = {box->windowTitle(), box->text(), box->icon(), {}, {}, box->windowModality()};
        for (QAbstractButton* button : box->buttons()) {
            seen.Buttons << button->text();
        }
        if (box->defaultButton() != nullptr) {
            seen.DefaultButton = box->defaultButton()->text();
        }
        answer(*box);
    });
    poll->start(10);
}

std::function<void(QMessageBox&)> Click(QMessageBox::StandardButton which) {
    return [which](QMessageBox& box) { box.button(which)->click(); };
}

class MessageBoxTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(InstallCzechStandardTexts(*qApp)); }
};

TEST_F(MessageBoxTest, ConfirmationAsksInCzechWithYesAsDefault) {
    const std::string text = "Opravdu chcete odstranit tiskový dokument z fronty?";
    const struct {
        std::function<void(QMessageBox&)> Answer;
        int Expected;
    } cases[] = {
        {Click(QMessageBox::Yes), IDYES},
        {Click(QMessageBox::No), IDNO},
        {[](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }, IDNO},
        {[](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); }, IDYES},
    };
    for (const auto& c : cases) {
        Seen seen;
        AnswerNextBox(seen, c.Answer);
        EXPECT_EQ(QtMessageBoxes().MessageBox(text, "Upozornění", ConfirmationStyle), c.Expected);
        EXPECT_EQ(seen.Title, QStringLiteral("Upozornění"));
        EXPECT_EQ(seen.Text, QString::fromStdString(text));
        EXPECT_EQ(seen.Icon, QMessageBox::Information);
        EXPECT_EQ(seen.Buttons, (QStringList{QStringLiteral("&Ano"), QStringLiteral("&Ne")}));
        EXPECT_EQ(seen.DefaultButton, QStringLiteral("&Ano"));
        EXPECT_EQ(seen.Modality, Qt::ApplicationModal);
    }
}

TEST_F(MessageBoxTest, StyleChoosesButtonsIconAndDefault) {
    const struct {
        unsigned Style;
        QMessageBox::StandardButton Press;
        int Expected;
        QMessageBox::Icon Icon;
        int ButtonCount;
        QMessageBox::StandardButton Default;
    } cases[] = {
        {MB_OK, QMessageBox::Ok, IDOK, QMessageBox::NoIcon, 1, QMessageBox::Ok},
        {MB_OKCANCEL | MB_ICONWARNING, QMessageBox::Cancel, IDCANCEL, QMessageBox::Warning, 2,
         QMessageBox::Ok},
        {MB_YESNOCANCEL | MB_ICONQUESTION | 0x100, QMessageBox::Cancel, IDCANCEL,
         QMessageBox::Question, 3, QMessageBox::No},
        {MB_ABORTRETRYIGNORE | MB_ICONERROR, QMessageBox::Retry, IDRETRY, QMessageBox::Critical, 3,
         QMessageBox::Abort},
        {MB_RETRYCANCEL | 0x200, QMessageBox::Retry, IDRETRY, QMessageBox::NoIcon, 2,
         QMessageBox::Retry},
    };
    for (const auto& c : cases) {
        Seen seen;
        QString defaultText;
        AnswerNextBox(seen, [&](QMessageBox& box) {
            defaultText = box.button(c.Default)->text();
            box.button(c.Press)->click();
        });
        EXPECT_EQ(QtMessageBoxes().MessageBox("text", "caption", c.Style), c.Expected) << c.Style;
        EXPECT_EQ(seen.Icon, c.Icon) << c.Style;
        EXPECT_EQ(seen.Buttons.size(), c.ButtonCount) << c.Style;
        EXPECT_EQ(seen.DefaultButton, defaultText) << c.Style;
    }
}

TEST(ErrorReport, WithoutADisplayWritesOneLineAndDoesNotWait) {
    ASSERT_FALSE(QtErrorReport::HasDisplay());
    QApplication::setApplicationName(QStringLiteral("ostrelin-test"));
    std::ostringstream console;
    QtErrorReport report(nullptr, console);
    report.Report("Cannot open file /spool/JOB1.QSF");
    report.Report("první\nřádek");
    EXPECT_EQ(console.str(),
              "ostrelin-test: Cannot open file /spool/JOB1.QSF\n"
              "ostrelin-test: první řádek\n");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace ostrelin::platform::desktop
