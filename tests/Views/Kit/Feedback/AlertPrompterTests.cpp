#include "Views/Kit/Feedback/AlertPrompter.h"

#include "Views/Kit/Feedback/AlertDialog.h"
#include "appsupport/Screenshots.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace zn {
namespace {

AlertDialog* openAlert() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* alert = qobject_cast<AlertDialog*>(widget); alert && alert->isVisible())
            return alert;
    return nullptr;
}

QAbstractButton* buttonNamed(AlertDialog& alert, const QString& text) {
    for (QAbstractButton* button : alert.buttons())
        if (button->text() == text)
            return button;
    return nullptr;
}

void pressKey(AlertDialog& alert, Qt::Key key) {
    QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : &alert;
    QTest::keyClick(focus, key);
    QApplication::processEvents();
}

class AlertPrompterTest : public ::testing::Test {
protected:
    // Opens the question and returns its alert; open() must not wait for the answer.
    AlertDialog& ask(const PromptQuestion& question) {
        const std::size_t answered = answers.size();
        prompter.open(question, [this](bool accepted) { answers.push_back(accepted); });
        QApplication::processEvents();
        AlertDialog* alert = openAlert();
        EXPECT_NE(alert, nullptr);
        EXPECT_EQ(answers.size(), answered);
        return *alert;
    }
    // Lets the closed alerts go, so that the next one found is the next question's.
    void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    AlertPrompter prompter;
    std::vector<bool> answers;
    const PromptQuestion quit{"Quit browsers before cleaning?",
                              "Firefox is open. Browser history and cache can stay locked or be written back "
                              "while a browser is running. Zelva Nexal can quit it now, then clean.",
                              "Quit and Clean", "Cancel"};
    const PromptQuestion remove{"Delete \u201CAbandoned Tool\u201D permanently?",
                                "Zelva Nexal couldn't move it to the Trash. If you delete it now, it is deleted for "
                                "good and can't be put back.",
                                "Delete Permanently", "Cancel", true};
};

TEST_F(AlertPrompterTest, ShowsTheQuestionAndAnswersOnceForEachButton) {
    AlertDialog& alert = ask(quit);
    EXPECT_EQ(alert.title().toStdString(), quit.title);
    EXPECT_EQ(alert.windowTitle(), "Zelva Nexal");
    EXPECT_EQ(alert.message().toStdString(), quit.message);
    EXPECT_EQ(alert.windowModality(), Qt::ApplicationModal);
    ASSERT_EQ(alert.buttons().size(), 2u);
    EXPECT_EQ(alert.buttons()[0]->text(), "Quit and Clean");
    EXPECT_EQ(alert.buttons()[1]->text(), "Cancel");
    QTest::mouseClick(buttonNamed(alert, "Quit and Clean"), Qt::LeftButton);
    alert.done(QDialog::Rejected); // finished again before it is gone: still one answer
    QApplication::processEvents();
    EXPECT_EQ(answers, std::vector<bool>{true});
    settle();

    QTest::mouseClick(buttonNamed(ask(quit), "Cancel"), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(answers, (std::vector<bool>{true, false}));
    settle();

    pressKey(ask(quit), Qt::Key_Escape);
    EXPECT_EQ(answers, (std::vector<bool>{true, false, false}));
    settle();

    ask(quit).close(); // the window manager's close
    QApplication::processEvents();
    EXPECT_EQ(answers, (std::vector<bool>{true, false, false, false}));
    settle();
    EXPECT_EQ(openAlert(), nullptr);
}

TEST_F(AlertPrompterTest, ReturnAcceptsOnlyAQuestionWhoseAcceptIsNotDestructive) {
    pressKey(ask(quit), Qt::Key_Return);
    EXPECT_EQ(answers, std::vector<bool>{true});
    settle();

    AlertDialog& deletion = ask(remove);
    pressKey(deletion, Qt::Key_Return);
    EXPECT_EQ(answers, std::vector<bool>{true});
    EXPECT_TRUE(deletion.isVisible());
    pressKey(deletion, Qt::Key_Escape);
    EXPECT_EQ(answers, (std::vector<bool>{true, false}));
    settle();
}

TEST_F(AlertPrompterTest, TheQuestionsAsTheyAreShown) {
    for (ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
        for (const auto& [question, name] : {std::pair{&quit, "question-quit-browsers"},
                                             std::pair{&remove, "question-delete-permanently"}}) {
            AlertDialog& alert = ask(*question);
            test::useScheme(alert, scheme);
            test::saveScreenshot(alert, QStringLiteral("%1-%2").arg(QLatin1String(name), test::schemeName(scheme)));
            alert.reject();
            QApplication::processEvents();
            settle();
        }
    }
    EXPECT_EQ(answers, std::vector<bool>(4, false));
}

} // namespace
} // namespace zn
