#include "Views/Onboarding/MissionScene.h"
#include "Views/Onboarding/CentredLabel.h"

#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Theme/TextStyles.h"
#include "Views/Onboarding/FeatureRow.h"

#include <QVBoxLayout>

namespace zn {

MissionScene::MissionScene(QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(28);
    column->addStretch();

    auto* header = new QVBoxLayout;
    header->setSpacing(12);
    header->addWidget(
        centredLabel(QStringLiteral("What Zelva Nexal helps with"), systemFont(30, QFont::DemiBold)));
    header->addWidget(centredLabel(QStringLiteral("Simple choices. Clear results."), systemFont(14),
                                   PlatformColor::secondaryLabel));
    column->addLayout(header);

    auto* rows = new QWidget;
    rows->setFixedWidth(460);
    auto* rowColumn = new QVBoxLayout(rows);
    rowColumn->setContentsMargins(0, 0, 0, 0);
    rowColumn->setSpacing(12);
    rowColumn->addWidget(
        new FeatureRow("sparkles", Tint::darkBlue, Tint::blue, QStringLiteral("Quick cleanup"),
                       QStringLiteral("Find files you can remove without learning Mac internals.")));
    rowColumn->addWidget(new FeatureRow(
        "square.grid.2x2.fill", Tint::darkBlue, Tint::blue, QStringLiteral("Remove apps fully"),
        QStringLiteral("Choose an app and see the extra files it left behind.")));
    rowColumn->addWidget(new FeatureRow("doc.questionmark.fill", Tint::darkGold, Tint::blue,
                                        QStringLiteral("Find old app leftovers"),
                                        QStringLiteral("Catch files from apps you already deleted.")));
    column->addWidget(rows, 0, Qt::AlignHCenter);
    column->addStretch();
}

} // namespace zn
