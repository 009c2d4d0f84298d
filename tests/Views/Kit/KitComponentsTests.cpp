#include "Models/CleaningCategory.h"
#include "Views/Kit/Controls/BorderedButton.h"
#include "Views/Kit/Feedback/EmptyStateView.h"
#include "Views/Kit/Motion/PressableScale.h"
#include "Views/Kit/Surfaces/IconTile.h"
#include "Views/Kit/Theme/Symbols.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QRawFont>
#include <gtest/gtest.h>

namespace zn {
namespace {

void send(QWidget& widget, QEvent::Type type) {
    const QPointF at(5, 5);
    if (type == QEvent::Enter) {
        QEnterEvent enter(at, widget.mapToGlobal(at), widget.mapToGlobal(at));
        QApplication::sendEvent(&widget, &enter);
    } else if (type == QEvent::Leave) {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&widget, &leave);
    } else {
        const bool down = type == QEvent::MouseButtonPress;
        QMouseEvent mouse(type, at, widget.mapToGlobal(at), Qt::LeftButton, down ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&widget, &mouse);
    }
}

TEST(PressableScaleTest, PressingWinsOverHovering) {
    QWidget widget;
    widget.resize(40, 40);
    PressableScale feedback(widget, 1.01);
    EXPECT_EQ(feedback.scale(), 1.0);
    send(widget, QEvent::Enter);
    EXPECT_DOUBLE_EQ(feedback.scale(), 1.01);
    send(widget, QEvent::MouseButtonPress);
    EXPECT_DOUBLE_EQ(feedback.scale(), PressableScale::kPressedScale);
    send(widget, QEvent::MouseButtonRelease);
    EXPECT_DOUBLE_EQ(feedback.scale(), 1.01);
    send(widget, QEvent::Leave);
    EXPECT_DOUBLE_EQ(feedback.scale(), 1.0);
}

TEST(EmptyStateViewTest, TheButtonNeedsBothAnActionAndItsLabel) {
    int runs = 0;
    const auto action = [&runs] { ++runs; };
    EXPECT_EQ(EmptyStateView("No results", "magnifyingglass", "Try again.", action).actionButton(), nullptr);
    EXPECT_EQ(EmptyStateView("No results", "magnifyingglass", "Try again.", {}, QStringLiteral("Scan")).actionButton(),
              nullptr);

    EmptyStateView plain("Nothing here", "sparkles", "Run a scan.", action, QStringLiteral("Scan"));
    ASSERT_NE(plain.actionButton(), nullptr);
    EXPECT_FALSE(plain.actionButton()->hasLeadingNexalMark());
    EXPECT_FALSE(plain.actionButton()->leadingSymbol().has_value());
    plain.actionButton()->click();
    EXPECT_EQ(runs, 1);

    EmptyStateView marked("Nothing here", "sparkles", "Run a scan.", action, QStringLiteral("Scan"), true);
    EXPECT_TRUE(marked.actionButton()->hasLeadingNexalMark());
}

TEST(SymbolsTest, EveryNameTheScreensUseDrawsAGlyphOfTheFont) {
    const QRawFont font = QRawFont::fromFont(symbolFont(13));
    ASSERT_TRUE(font.isValid());
    ASSERT_EQ(font.familyName(), "Material Icons");
    for (const std::string_view name : symbolNames())
        EXPECT_TRUE(font.supportsCharacter(QChar(*symbolGlyph(name)))) << name;
    for (const CleaningCategory category : allCleaningCategories())
        EXPECT_TRUE(symbolGlyph(icon(category))) << icon(category);
    for (const char* name : {"circle.lefthalf.filled", "sun.max.fill", "moon.fill", "checkmark.circle.fill"})
        EXPECT_TRUE(symbolGlyph(name)) << name;

    // An unknown name is never blank.
    QImage image(20, 20, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintSymbol(painter, QRectF(0, 0, 20, 20), "no.such.symbol", 13, Qt::black);
    painter.end();
    int inked = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            inked += qAlpha(image.pixel(x, y)) > 0;
    EXPECT_GT(inked, 20);
}

TEST(IconTileTest, TheGlowChangesNothingDrawn) {
    IconTile glowing("sparkles", Qt::green, 32, 9, true);
    IconTile plain("sparkles", Qt::green, 32, 9, false);
    EXPECT_EQ(glowing.grab().toImage(), plain.grab().toImage());
}

} // namespace
} // namespace zn
