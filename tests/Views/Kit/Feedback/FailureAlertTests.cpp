#include "Views/Kit/Feedback/FailureAlert.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace zn {
namespace {

class FailureAlertTest : public ::testing::Test {
protected:
    FailureAlertTest() {
        window.resize(400, 300);
        window.show();
    }
    QWidget window;
    int dismissals = 0;
    FailureAlert alert{&window, QStringLiteral("Couldn't remove everything"), [this] { ++dismissals; }};
};

TEST_F(FailureAlertTest, ANewTextUpdatesTheOpenAlertAsPlainText) {
    alert.show(QStringLiteral("First"));
    AlertDialog* dialog = alert.dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
    EXPECT_EQ(dialog->parentWidget(), &window);
    EXPECT_EQ(dialog->title(), QStringLiteral("Couldn't remove everything"));
    ASSERT_EQ(dialog->buttons().size(), 1u);
    EXPECT_EQ(dialog->buttons()[0]->text(), QStringLiteral("OK"));

    const QString markup = QStringLiteral("<b>/home/a/Library/x&y</b>");
    alert.show(markup);
    EXPECT_EQ(alert.dialog(), dialog);
    EXPECT_EQ(dialog->message(), markup);
    EXPECT_EQ(dismissals, 0);
}

TEST_F(FailureAlertTest, EveryWayOfClosingItDismissesItOnce) {
    alert.show(QStringLiteral("Failed"));
    QTest::mouseClick(alert.dialog()->buttons()[0], Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_FALSE(alert.isOpen());
    EXPECT_EQ(dismissals, 1);

    alert.show(QStringLiteral("Failed"));
    QTest::keyClick(alert.dialog(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(alert.isOpen());
    EXPECT_EQ(dismissals, 2);

    alert.show(QStringLiteral("Failed"));
    alert.close();
    alert.close();
    QApplication::processEvents();
    EXPECT_FALSE(alert.isOpen());
    EXPECT_EQ(dismissals, 3);
}

} // namespace
} // namespace zn
