#include "Views/OnboardingView.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zn {

OnboardingView::OnboardingView(std::function<void()> complete, QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    auto* title = new QLabel(QStringLiteral("Zelva Nexal"));
    QFont titleFont = title->font();
    titleFont.setPointSize(28);
    title->setFont(titleFont);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addWidget(new QLabel(QStringLiteral("One-click cleanup for a lighter, faster Mac.")), 0,
                      Qt::AlignHCenter);
    layout->addStretch();
    auto* start = new QPushButton(QStringLiteral("Start"));
    start->setDefault(true);
    connect(start, &QPushButton::clicked, this, [complete = std::move(complete)] { complete(); });
    layout->addWidget(start, 0, Qt::AlignRight);
}

} // namespace zn
