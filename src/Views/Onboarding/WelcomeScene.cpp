#include "Views/Onboarding/WelcomeScene.h"
#include "Views/Onboarding/CentredLabel.h"

#include "Models/Brand.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Motion/AnimatedValue.h"
#include "Views/Kit/Motion/WidgetOpacity.h"
#include "Views/Kit/Theme/TextStyles.h"
#include "Views/Onboarding/WelcomeIcon.h"

#include <QEvent>
#include <QVBoxLayout>

namespace zn {

WelcomeScene::WelcomeScene(QIcon appIcon, bool appeared, QWidget* parent)
    : QWidget(parent), icon_(new WelcomeIcon(std::move(appIcon))), textsFrame_(new QWidget),
      texts_(new QWidget(textsFrame_)), appearance_(new AnimatedValue(this, appeared ? 1 : 0)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addStretch();
    // The spacing of 26 between the parts counts from the icon itself, not the room kept for its shadow.
    constexpr int kSpacing = 26;
    column->addWidget(icon_, 0, Qt::AlignHCenter);
    column->addSpacing(kSpacing - WelcomeIcon::kMargin);

    auto* textColumn = new QVBoxLayout(texts_);
    textColumn->setContentsMargins(0, 0, 0, 0);
    textColumn->setSpacing(12);
    textColumn->addWidget(centredLabel(QString::fromLatin1(Brand::name), systemFont(38, QFont::DemiBold)));
    textColumn->addWidget(centredLabel(QStringLiteral("One-click cleanup for a lighter, faster Mac."),
                                       systemFont(15), PlatformColor::secondaryLabel, 420),
                          0, Qt::AlignHCenter);
    textsFrame_->setFixedHeight(texts_->sizeHint().height() + static_cast<int>(kRise));
    textsFrame_->setMinimumWidth(texts_->sizeHint().width());
    column->addWidget(textsFrame_);

    QFont footnoteFont = systemFont(11.5, QFont::Medium);
    footnoteFont.setLetterSpacing(QFont::AbsoluteSpacing, 0.3);
    column->addSpacing(kSpacing + 4 - static_cast<int>(kRise));
    column->addWidget(centredLabel(QStringLiteral("Free up space without digging through folders."),
                                   footnoteFont, PlatformColor::tertiaryLabel));
    column->addStretch();

    connect(appearance_, &AnimatedValue::changed, this, &WelcomeScene::placeTexts);
    textsFrame_->installEventFilter(this);
    placeTexts();
}

bool WelcomeScene::eventFilter(QObject* watched, QEvent* event) {
    if (watched == textsFrame_ && event->type() == QEvent::Resize)
        placeTexts();
    return QWidget::eventFilter(watched, event);
}

void WelcomeScene::setAppeared(bool appeared) {
    appearance_->animateTo(appeared ? 1 : 0, Timing::easeOut(std::chrono::milliseconds(500)));
}

double WelcomeScene::appearance() const {
    return appearance_->value();
}

void WelcomeScene::placeTexts() {
    const double shown = std::clamp(appearance_->value(), 0.0, 1.0);
    texts_->setGeometry(0, static_cast<int>(kRise * (1 - shown)), textsFrame_->width(),
                        texts_->sizeHint().height());
    setWidgetOpacity(*texts_, shown);
}

} // namespace zn
