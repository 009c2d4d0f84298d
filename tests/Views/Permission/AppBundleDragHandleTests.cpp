#include "Views/Kit/Theme/AppIcon.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Permission/AppBundleDragHandle.h"
#include "appsupport/Screenshots.h"
#include "support/FixtureTree.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

namespace zn {
namespace {

void hover(QWidget& widget, bool inside) {
    if (inside) {
        const QPointF at(10, 10);
        QEnterEvent enter(at, widget.mapToGlobal(at), widget.mapToGlobal(at));
        QApplication::sendEvent(&widget, &enter);
    } else {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&widget, &leave);
    }
}

// The number of pixels of the tile's inside that are close to `color`.
int pixelsNear(const QImage& image, const QRect& area, const QColor& color) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            count += std::abs(pixel.red() - color.red()) + std::abs(pixel.green() - color.green()) +
                         std::abs(pixel.blue() - color.blue()) <
                     40;
        }
    return count;
}

TEST(AppBundleDragHandle, TheDragCarriesTheProgramFileUnderItsOwnName) {
    test::FixtureTree tree;
    ApplicationFileSearch search{tree.file("opt/Zelva Nexal Renamed", 10), {tree.path("applications")},
                                 {"com.zelvanexal.app.desktop"}};
    auto payload = AppBundleDragHandle::dragPayload(search);
    ASSERT_EQ(payload->urls().size(), 1);
    EXPECT_TRUE(payload->urls()[0].isLocalFile());
    EXPECT_EQ(payload->urls()[0].toLocalFile().toStdString(), search.executablePath);
    EXPECT_EQ(payload->urls()[0].fileName(), "Zelva Nexal Renamed");

    // Each drag looks again, so a launcher installed meanwhile is what is offered.
    const std::string launcher = tree.textFile("applications/com.zelvanexal.app.desktop", "[Desktop Entry]\n");
    payload = AppBundleDragHandle::dragPayload(search);
    EXPECT_EQ(payload->urls()[0].toLocalFile().toStdString(), launcher);

    // The caption is fixed whatever the file is called.
    AppBundleDragHandle handle(search, {});
    EXPECT_STREQ(AppBundleDragHandle::kCaption, "Zelva Nexal.app");
    EXPECT_EQ(handle.toolTip(), "Drag Zelva Nexal into the Full Disk Access list in System Settings.");
}

TEST(AppBundleDragHandle, HoverBrightensTheTileAndLeavingReversesIt) {
    for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
        AppBundleDragHandle handle(ApplicationFileSearch::thisProgram(), [] { return applicationIcon(); });
        test::useScheme(handle, scheme);
        handle.resize(handle.sizeHint());
        EXPECT_FALSE(handle.hovering());
        const QRect corner = handle.tileRect().toRect().adjusted(4, 4, -60, -60);
        const QColor accent = schemeAccent(scheme);
        const QImage normal = test::saveScreenshot(handle, "drag-tile-normal-" + test::schemeName(scheme));

        hover(handle, true);
        EXPECT_TRUE(handle.hovering());
        EXPECT_DOUBLE_EQ(handle.hoverProgress(), 1.0);
        const QImage hovered = test::saveScreenshot(handle, "drag-tile-hover-" + test::schemeName(scheme));
        // The fill moves towards the scheme's accent (blue when light, green when dark).
        const QColor before = normal.pixelColor(corner.center());
        const QColor after = hovered.pixelColor(corner.center());
        const auto distance = [&accent](const QColor& color) {
            return std::abs(color.red() - accent.red()) + std::abs(color.green() - accent.green()) +
                   std::abs(color.blue() - accent.blue());
        };
        EXPECT_LT(distance(after), distance(before)) << before.name().toStdString() << after.name().toStdString();

        hover(handle, false);
        EXPECT_DOUBLE_EQ(handle.hoverProgress(), 0.0);
        EXPECT_EQ(handle.grab().toImage(), normal);
    }
}

TEST(AppBundleDragHandle, TheDashedBorderIsHalfAPointWideInDashesOfThreePoints) {
    // Drawn at two device pixels a point, the half-point line fills exactly one row of device pixels.
    AppBundleDragHandle handle(ApplicationFileSearch::thisProgram(), [] { return QIcon(); });
    handle.resize(handle.sizeHint());
    QImage image(handle.size() * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    image.fill(Qt::white);
    handle.render(&image);
    const QRectF tile = handle.tileRect();
    const int edge = qRound(tile.top() * 2);
    const int from = qRound((tile.left() + 16) * 2);
    const int to = qRound((tile.right() - 16) * 2);
    const QRgb fill = image.pixel((from + to) / 2, edge + 1);
    std::vector<int> runs{1};
    bool inked = qGray(image.pixel(from, edge)) < qGray(fill) - 8;
    for (int x = from; x <= to; ++x) {
        EXPECT_EQ(image.pixel(x, edge + 1), fill) << x; // the row under the line is the tile's plain fill
        const bool dash = qGray(image.pixel(x, edge)) < qGray(fill) - 8;
        if (dash == inked) {
            ++runs.back();
        } else {
            runs.push_back(1);
            inked = dash;
        }
    }
    ASSERT_GE(runs.size(), 8u);
    // Whole dashes and gaps, leaving out the two cut by the ends of the straight edge.
    for (std::size_t run = 1; run + 1 < runs.size(); ++run)
        EXPECT_NEAR(runs[run], 6, 1) << run;
}

TEST(AppBundleDragHandle, WithoutAnIconTheTileShowsTheAppSymbolInTheAccent) {
    for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
        AppBundleDragHandle handle(ApplicationFileSearch::thisProgram(), [] { return QIcon(); });
        test::useScheme(handle, scheme);
        handle.resize(handle.sizeHint());
        const QImage image = handle.grab().toImage();
        const QRect inside = handle.tileRect().toRect().adjusted(14, 14, -14, -14);
        EXPECT_GT(pixelsNear(image, inside, schemeAccent(scheme)), 200);
    }
}

} // namespace
} // namespace zn
