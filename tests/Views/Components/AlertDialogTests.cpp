#include "Views/Components/AlertDialog.h"

#include <QAbstractButton>
#include <QApplication>
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

} // namespace
} // namespace zn
