#include "Views/Kit/Feedback/AlertDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace zn {
namespace {

// Opens the alert over a window as the screens do and presses Return wherever the focus landed.
QDialog::DialogCode pressReturn(AlertDialog& alert) {
    alert.open();
    QApplication::processEvents();
    QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : &alert;
    QTest::keyClick(focus, Qt::Key_Return);
    QApplication::processEvents();
    return static_cast<QDialog::DialogCode>(alert.result());
}

class AlertDialogTest : public ::testing::Test {
protected:
    AlertDialogTest() {
        window.resize(400, 300);
        window.show();
    }
    QWidget window;
};

TEST_F(AlertDialogTest, ReturnNeverPressesTheDestructiveButton) {
    AlertDialog review(QStringLiteral("Review before cleaning 7 KB"), QStringLiteral("Review the list."), &window);
    QAbstractButton* clean = review.addButton(QStringLiteral("Clean selected items"), AlertDialog::Role::destructive);
    review.addButton(QStringLiteral("Cancel"), AlertDialog::Role::cancel);
    EXPECT_NE(pressReturn(review), QDialog::Accepted);
    EXPECT_NE(review.clickedButton(), clean);
}

TEST_F(AlertDialogTest, ReturnPressesThePreferredButtonOrALoneOK) {
    AlertDialog question(QStringLiteral("Title"), QStringLiteral("Message"), &window);
    QAbstractButton* go = question.addButton(QStringLiteral("Go"), AlertDialog::Role::preferred);
    question.addButton(QStringLiteral("Cancel"), AlertDialog::Role::cancel);
    EXPECT_EQ(pressReturn(question), QDialog::Accepted);
    EXPECT_EQ(question.clickedButton(), go);

    AlertDialog notice(QStringLiteral("Title"), QStringLiteral("Message"), &window);
    QAbstractButton* ok = notice.addButton(QStringLiteral("OK"), AlertDialog::Role::cancel);
    EXPECT_EQ(pressReturn(notice), QDialog::Rejected);
    EXPECT_EQ(notice.clickedButton(), ok);
}

// The lines the alert's labels show, checking that each label is as tall as its wrapped lines and none of it
// lies outside the alert.
int shownLines(const AlertDialog& alert) {
    int lines = 0;
    for (QLabel* label : alert.findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            continue; // the icon
        EXPECT_LE(label->minimumSizeHint().width(), label->width());
        EXPECT_LE(label->geometry().right(), alert.contentsRect().right());
        EXPECT_GE(label->height(), label->heightForWidth(label->width()));
        lines += label->height() / label->fontMetrics().lineSpacing();
    }
    return lines;
}

TEST_F(AlertDialogTest, ALongPathWrapsInsideTheAlertAndStaysVerbatim) {
    const QString path = QStringLiteral("/home/someone/Library/Containers/") + QString(120, QLatin1Char('x')) +
                         QStringLiteral(".helper/Data/Library/Caches/") + QString(80, QChar(0x00E9));
    const QString message = QStringLiteral("Zelva Nexal couldn't remove 1 item(s).\n\n") + path;
    const QString title = QStringLiteral("Remove ") + QString(90, QLatin1Char('y')) + QStringLiteral("?");
    AlertDialog alert(title, QStringLiteral("Short."), &window);
    alert.addButton(QStringLiteral("OK"), AlertDialog::Role::cancel);
    alert.open();
    QApplication::processEvents();
    EXPECT_EQ(alert.title(), title);
    // The window manager's title bar names the program; the title is shown whole in the body.
    EXPECT_EQ(alert.windowTitle(), "Zelva Nexal");
    EXPECT_GE(shownLines(alert), 2 + 1); // the title wraps

    // A new text while it is open: the alert keeps its width and grows to show all of it.
    alert.setMessage(message);
    QApplication::processEvents();
    EXPECT_EQ(alert.message(), message);
    EXPECT_EQ(alert.width(), AlertDialog::kWidth);
    EXPECT_GE(shownLines(alert), 2 + 2 + 5); // the path over five lines or more
}

} // namespace
} // namespace zn
