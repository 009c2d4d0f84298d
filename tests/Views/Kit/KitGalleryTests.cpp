#include "Views/Kit/Controls/ActionButton.h"
#include "Views/Kit/Controls/AppearancePill.h"
#include "Views/Kit/Controls/BorderedButton.h"
#include "Views/Kit/Controls/SearchField.h"
#include "Views/Kit/Feedback/EmptyStateView.h"
#include "Views/Kit/Labels/StatusChip.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Surfaces/AppBackdrop.h"
#include "Views/Kit/Surfaces/CardSurface.h"
#include "Views/Kit/Surfaces/IconTile.h"
#include "Views/Kit/Surfaces/NexalIconTile.h"
#include "Views/Kit/Theme/NexalIcon.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"
#include "appsupport/Screenshots.h"

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace zn {
namespace {

// Every element of the kit on one sheet, for the eye and for a few sampled pixels.
struct KitGallery {
    AppBackdrop root;
    CardSurface* plainCard = nullptr;
    ActionButton* redPrimary = nullptr;

    explicit KitGallery(ColorScheme scheme) {
        test::useScheme(root, scheme);
        root.resize(980, 700);
        auto* column = new QVBoxLayout(&root);
        column->setContentsMargins(28, 28, 28, 28);
        column->setSpacing(22);

        auto* cards = new QHBoxLayout;
        cards->setSpacing(18);
        const auto card = [&](const QString& title, std::optional<QColor> accent, CardElevation elevation) {
            auto* surface = new CardSurface(16, accent, elevation);
            surface->contentLayout()->addWidget(new TextLabel(title, textFont(TextStyle::headline)));
            surface->contentLayout()->addWidget(
                new TextLabel(QStringLiteral("Padding 16"), textFont(TextStyle::caption), PlatformColor::secondaryLabel));
            surface->setMinimumHeight(90);
            cards->addWidget(surface);
            return surface;
        };
        plainCard = card(QStringLiteral("Flat"), std::nullopt, CardElevation::flat);
        card(QStringLiteral("Standard"), std::nullopt, CardElevation::standard);
        card(QStringLiteral("Raised"), std::nullopt, CardElevation::raised);
        card(QStringLiteral("Accent"), qColor(Tint::red), CardElevation::raised);
        column->addLayout(cards);

        auto* buttons = new QHBoxLayout;
        buttons->setSpacing(16);
        const auto primary = [&](bool pressed) {
            auto* button = new ActionButton(pressed ? QStringLiteral("Pressed") : QStringLiteral("Clean now"),
                                            PrimaryActionButtonStyle{qColor(Tint::red), Qt::white, 150, 40, 12});
            button->setLeadingNexalMark(!pressed);
            buttons->addWidget(button);
            if (pressed)
                press(*button);
            return button;
        };
        redPrimary = primary(false);
        primary(true);
        for (const bool pressed : {false, true}) {
            auto* button = new ActionButton(pressed ? QStringLiteral("Pressed") : QStringLiteral("Review"),
                                            SecondaryActionButtonStyle{platformColor(PlatformColor::primaryLabel, scheme), 120, 40, 12});
            buttons->addWidget(button);
            if (pressed)
                press(*button);
        }
        auto* prominent = new BorderedButton(QStringLiteral("Scan"), BorderedButton::Prominence::prominent);
        prominent->setLeadingNexalMark(true);
        buttons->addWidget(prominent);
        auto* remove = new BorderedButton(QStringLiteral("Remove"), BorderedButton::Prominence::prominent);
        remove->setTint(qColor(Tint::red));
        buttons->addWidget(remove);
        buttons->addWidget(new BorderedButton(QStringLiteral("Cancel"), BorderedButton::Prominence::standard));
        buttons->addStretch(1);
        column->addLayout(buttons);

        auto* smalls = new QHBoxLayout;
        smalls->setSpacing(14);
        smalls->addWidget(new StatusChip(QStringLiteral("1.2 GB"), std::nullopt, qColor(Tint::green)));
        smalls->addWidget(new StatusChip(QStringLiteral("Ready"), std::string("checkmark.seal.fill"), schemeAccent(scheme)));
        smalls->addWidget(new StatusChip(QStringLiteral("Needs access"), std::string("exclamationmark.triangle.fill"),
                                         warningColor(scheme)));
        smalls->addWidget(new IconTile("sparkles", schemeAccent(scheme), 32, 9, true));
        smalls->addWidget(new IconTile("trash.fill", qColor(Tint::red), 44, 12, false));
        smalls->addWidget(new IconTile("leaf.fill", qColor(Tint::green), 56, 14, false));
        smalls->addWidget(new NexalIcon(28, platformColor(PlatformColor::primaryLabel, scheme)));
        smalls->addWidget(new NexalIconTile(schemeAccent(scheme), 44, 12));
        smalls->addWidget(new NexalIconTile(qColor(Tint::blue), 64, 16));
        for (const AppearanceMode mode : {AppearanceMode::system, AppearanceMode::light, AppearanceMode::dark})
            smalls->addWidget(new AppearancePill(mode));
        smalls->addStretch(1);
        column->addLayout(smalls);

        auto* controls = new QHBoxLayout;
        controls->setSpacing(14);
        for (const Qt::CheckState state : {Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked}) {
            auto* box = new QCheckBox(QStringLiteral("Check box"));
            box->setTristate(state == Qt::PartiallyChecked);
            box->setCheckState(state);
            controls->addWidget(box);
        }
        auto* list = new QListWidget;
        for (int row = 0; row < 40; ++row)
            list->addItem(QStringLiteral("Row %1").arg(row));
        list->setFixedSize(220, 70);
        controls->addWidget(list);
        auto* search = new SearchField(QStringLiteral("Filter files"));
        controls->addWidget(search);
        auto* typed = new SearchField(QStringLiteral("Search apps"));
        typed->setText(QStringLiteral("brew"));
        controls->addWidget(typed);
        auto* digits = new TextLabel(QStringLiteral("1,234.5 MB"), textFont(TextStyle::title2, QFont::Bold));
        digits->setMonospacedDigits(true);
        controls->addWidget(digits);
        controls->addStretch(1);
        column->addLayout(controls);

        auto* empties = new QHBoxLayout;
        auto* withButton = new CardSurface(8, std::nullopt, CardElevation::standard);
        withButton->contentLayout()->addWidget(new EmptyStateView(
            QStringLiteral("No results yet"), "magnifyingglass",
            QStringLiteral("Run a scan to see what can be cleaned. This explanation wraps within its width."),
            [] {}, QStringLiteral("Scan now"), true));
        auto* without = new CardSurface(8, std::nullopt, CardElevation::standard);
        without->contentLayout()->addWidget(
            new EmptyStateView(QStringLiteral("Choose an app"), "cursorarrow.click.2",
                               QStringLiteral("Pick an app to see its files.")));
        empties->addWidget(withButton);
        empties->addWidget(without);
        column->addLayout(empties, 1);
    }

    static void press(QAbstractButton& button) {
        const QPointF at = QRectF(button.rect()).center();
        QMouseEvent down(QEvent::MouseButtonPress, at, button.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&button, &down);
    }
};

TEST(KitGalleryTest, EveryElementInBothSchemes) {
    for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
        KitGallery gallery(scheme);
        const QImage image = test::saveScreenshot(gallery.root, QStringLiteral("kit-") + test::schemeName(scheme));

        // The edge of a card without accent: green in the dark scheme, deep blue in the light one.
        const QRect surface = gallery.plainCard->surfaceRect().toRect().translated(gallery.plainCard->pos());
        const QColor edge = image.pixelColor(surface.center().x(), surface.top());
        if (scheme == ColorScheme::dark)
            EXPECT_GT(edge.green(), edge.red() + 4) << edge.name().toStdString();
        else
            EXPECT_GT(edge.blue(), edge.red() + 2) << edge.name().toStdString();

        // The primary fill is the given tint in the dark scheme and the accent blue in the light one.
        const QPoint inside = gallery.redPrimary->mapTo(&gallery.root,
                                                         QPoint(gallery.redPrimary->width() / 2,
                                                                gallery.redPrimary->height() / 2 - 12));
        const QColor fill = image.pixelColor(inside);
        const QColor expected = scheme == ColorScheme::dark ? qColor(Tint::red) : qColor(Tint::blue);
        EXPECT_NEAR(fill.red(), expected.red(), 3) << fill.name().toStdString();
        EXPECT_NEAR(fill.green(), expected.green(), 3) << fill.name().toStdString();
        EXPECT_NEAR(fill.blue(), expected.blue(), 3) << fill.name().toStdString();
    }
}

} // namespace
} // namespace zn
