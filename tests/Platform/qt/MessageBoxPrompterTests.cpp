#include "Platform/qt/MessageBoxPrompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace zn {
namespace {

QMessageBox* openBox() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible())
            return box;
    return nullptr;
}

QPushButton* buttonNamed(QMessageBox* box, const QString& text) {
    for (QAbstractButton* button : box->buttons())
        if (button->text() == text)
            return qobject_cast<QPushButton*>(button);
    return nullptr;
}

TEST(MessageBoxPrompter, OpensWithoutBlockingAndReportsTheChoice) {
    MessageBoxPrompter prompter;
    PromptQuestion question{"Quit browsers before cleaning?", "Firefox is open.", "Quit and Clean", "Cancel"};
    std::vector<bool> answers;
    prompter.open(question, [&](bool accepted) { answers.push_back(accepted); });
    // open() returned at once: the box is up and nothing is answered yet.
    QMessageBox* box = openBox();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(answers.empty());
    EXPECT_EQ(box->windowTitle(), "Quit browsers before cleaning?");
    EXPECT_EQ(box->text(), "Firefox is open.");
    EXPECT_EQ(box->icon(), QMessageBox::Information);
    EXPECT_EQ(box->defaultButton(), buttonNamed(box, "Quit and Clean"));
    buttonNamed(box, "Quit and Clean")->click();
    QApplication::processEvents();
    EXPECT_EQ(answers, std::vector<bool>{true});

    prompter.open(question, [&](bool accepted) { answers.push_back(accepted); });
    box = openBox();
    ASSERT_NE(box, nullptr);
    box->reject(); // Escape or closing the window
    QApplication::processEvents();
    EXPECT_EQ(answers, (std::vector<bool>{true, false}));
}

} // namespace
} // namespace zn
