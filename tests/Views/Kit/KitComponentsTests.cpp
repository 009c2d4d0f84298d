#include "Models/CleaningCategory.h"
#include "Views/Kit/Controls/BorderedButton.h"
#include "Views/Kit/Feedback/EmptyStateView.h"
#include "Views/Kit/Labels/StatusChip.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Motion/PressableScale.h"
#include "Views/Kit/Surfaces/IconTile.h"
#include "Views/Kit/Theme/Symbols.h"
#include "appsupport/Screenshots.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QRawFont>
#include <QtMath>
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

// The pixels of a symbol drawn in black on a clear square, as a set of inked positions.
QImage symbolInk(std::string_view name) {
    QImage image(48, 48, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintSymbol(painter, QRectF(0, 0, 48, 48), name, 32, Qt::black);
    return image;
}

int inkedPixels(const QImage& image) {
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            inked += qAlpha(image.pixel(x, y)) > 128;
    return inked;
}

TEST(SymbolsTest, AnAppIsNoEmptyBox) {
    // Beside a check box, an outlined square reads as a second, empty check box: the "app" glyph covers
    // little of the check box outline and is inked in its middle, where that box is empty.
    const QImage app = symbolInk("app");
    const QImage box = symbolInk("square");
    int shared = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x)
            shared += qAlpha(app.pixel(x, y)) > 128 && qAlpha(box.pixel(x, y)) > 128;
    EXPECT_LT(shared, inkedPixels(box) / 2);
    EXPECT_EQ(qAlpha(box.pixel(24, 24)), 0);
    EXPECT_GT(qAlpha(app.pixel(24, 24)), 128);
}

// The box holding every inked pixel of `image`.
QRect inkedBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 128)
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST(SymbolsTest, TheFilledGridIsFourSolidTilesOnTheOutlinedGridsFootprint) {
    const QImage outlined = symbolInk("square.grid.2x2");
    const QImage filled = symbolInk("square.grid.2x2.fill");
    const QRect footprint = inkedBox(outlined);
    ASSERT_GT(footprint.width(), 20);
    const QRect box = inkedBox(filled);
    EXPECT_LE(std::abs(box.left() - footprint.left()), 1);
    EXPECT_LE(std::abs(box.right() - footprint.right()), 1);
    EXPECT_LE(std::abs(box.top() - footprint.top()), 1);
    EXPECT_LE(std::abs(box.bottom() - footprint.bottom()), 1);
    // Two tiles a side with a gap between them: each tile's middle is inked where the outlined grid has its
    // hole, and the cross between the tiles stays clear.
    const auto at = [&](double fraction, int from, int length) { return from + qRound(fraction * (length - 1)); };
    for (const double across : {0.22, 0.78})
        for (const double down : {0.22, 0.78}) {
            const int x = at(across, footprint.left(), footprint.width());
            const int y = at(down, footprint.top(), footprint.height());
            EXPECT_EQ(qAlpha(outlined.pixel(x, y)), 0) << x << "," << y;
            EXPECT_EQ(qAlpha(filled.pixel(x, y)), 255) << x << "," << y;
        }
    const int middleX = at(0.5, footprint.left(), footprint.width());
    const int middleY = at(0.5, footprint.top(), footprint.height());
    for (int step = 0; step < footprint.width(); ++step) {
        EXPECT_LT(qAlpha(filled.pixel(middleX, footprint.top() + step)), 64);
        EXPECT_LT(qAlpha(filled.pixel(footprint.left() + step, middleY)), 64);
    }
    EXPECT_GT(inkedPixels(filled), inkedPixels(outlined) * 5 / 4);
}

// The columns of `image` with a pixel of the blue label (the capsule's fill is faint, its rim white).
std::vector<int> labelColumns(const QImage& image) {
    std::vector<int> columns;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() > 160 && pixel.blue() - pixel.red() > 120) {
                columns.push_back(x);
                break;
            }
        }
    return columns;
}

TEST(StatusChipTest, NoSymbolNoGapAndDigitsOfOneWidth) {
    const QString label = QStringLiteral("Low space");
    for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
        const auto draw = [&](const std::optional<std::string>& symbol) {
            const QSizeF size = StatusChip::size(label, symbol);
            QImage image(qCeil(size.width()), qCeil(size.height()), QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            StatusChip::paint(painter, QRectF(QPointF(0, 0), size), scheme, label, symbol, QColor(0, 0, 255));
            return image;
        };
        // The label alone sits between the two paddings, with no room kept for a symbol.
        const QImage plain = draw(std::nullopt);
        const std::vector<int> columns = labelColumns(plain);
        ASSERT_FALSE(columns.empty());
        EXPECT_NEAR(columns.front(), 8, 1.5) << test::schemeName(scheme).toStdString();
        EXPECT_NEAR(columns.back(), plain.width() - 1 - 8, 2);
        EXPECT_GT(draw(std::string("exclamationmark.triangle.fill")).width(), plain.width() + 8);
    }
    EXPECT_DOUBLE_EQ(StatusChip::size(QStringLiteral("111 MB"), std::nullopt).width(),
                     StatusChip::size(QStringLiteral("888 MB"), std::nullopt).width());
}

TEST(EmptyStateViewTest, ALongDescriptionWrapsWithin300PointsAndStaysCentred) {
    EmptyStateView view(
        "No apps found", "square.grid.2x2",
        QStringLiteral("Zelva Nexal looks in the Applications folder of this computer and in the one "
                       "of your home folder, and found nothing it could offer to remove there."));
    view.resize(800, 500);
    view.show();
    QApplication::processEvents();
    const TextLabel* description = nullptr;
    for (const TextLabel* label : view.findChildren<TextLabel*>())
        if (label->wordWrap())
            description = label;
    ASSERT_NE(description, nullptr);
    EXPECT_LE(description->width(), 300);
    EXPECT_GE(description->height(), 2 * description->fontMetrics().lineSpacing());
    EXPECT_EQ(description->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    EXPECT_NEAR(description->mapTo(&view, QRect(QPoint(0, 0), description->size()).center()).x(), 400, 1);
}

TEST(IconTileTest, TheGlowChangesNothingDrawn) {
    IconTile glowing("sparkles", Qt::green, 32, 9, true);
    IconTile plain("sparkles", Qt::green, 32, 9, false);
    EXPECT_EQ(glowing.grab().toImage(), plain.grab().toImage());
}

} // namespace
} // namespace zn
