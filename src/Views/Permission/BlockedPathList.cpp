#include "Views/Permission/BlockedPathList.h"

#include "Platform/core/StringFormat.h"
#include "Views/Kit/Controls/DisclosureButton.h"
#include "Views/Kit/Labels/MiddleElidedLabel.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Theme/DisplayText.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QVBoxLayout>

#include <algorithm>

namespace zn {

namespace {

QString formatted(std::string_view format, std::int64_t count) {
    return QString::fromStdString(formatString(format, {static_cast<long long>(count)}));
}

} // namespace

BlockedPathList::Cut BlockedPathList::cut(const std::vector<std::string>& paths) {
    Cut result;
    result.total = static_cast<std::int64_t>(paths.size());
    const std::size_t shown = std::min(paths.size(), kShownPaths);
    result.shown.assign(paths.begin(), paths.begin() + static_cast<std::ptrdiff_t>(shown));
    result.more = result.total - static_cast<std::int64_t>(shown);
    return result;
}

BlockedPathList::BlockedPathList(QWidget* parent)
    : QWidget(parent),
      disclosure_(new DisclosureButton(QString(), systemFont(11.5, QFont::DemiBold), PlatformColor::secondaryLabel)),
      content_(new QWidget),
      more_(new TextLabel(QString(), systemFont(10.5), PlatformColor::tertiaryLabel)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(disclosure_, 0, Qt::AlignLeft);
    column->addWidget(content_);

    auto* rows = new QVBoxLayout(content_);
    // The rows line up with the label's text, past the chevron.
    rows->setContentsMargins(static_cast<int>(DisclosureButton::kChevronWidth), 4, 0, 0);
    rows->setSpacing(4);
    for (std::size_t index = 0; index < kShownPaths; ++index) {
        auto* row = new MiddleElidedLabel(QString(), monospacedFont(10.5), PlatformColor::secondaryLabel);
        rows_.push_back(row);
        rows->addWidget(row);
    }
    rows->addWidget(more_);
    content_->setVisible(false);
    connect(disclosure_, &QAbstractButton::toggled, content_, &QWidget::setVisible);
}

void BlockedPathList::setPaths(const std::vector<std::string>& paths) {
    const Cut shown = cut(paths);
    disclosure_->setText(formatted("%lld files still protected", shown.total));
    disclosure_->updateGeometry();
    for (std::size_t index = 0; index < rows_.size(); ++index) {
        const bool used = index < shown.shown.size();
        rows_[index]->setText(used ? shownText(shown.shown[index]) : QString());
        rows_[index]->setVisible(used);
    }
    more_->setText(shown.more > 0 ? formatted("+ %lld more", shown.more) : QString());
    more_->setVisible(shown.more > 0);
}

bool BlockedPathList::isExpanded() const {
    return disclosure_->isChecked();
}

void BlockedPathList::setExpanded(bool expanded) {
    disclosure_->setChecked(expanded);
}

QString BlockedPathList::labelText() const {
    return disclosure_->text();
}

std::vector<QString> BlockedPathList::shownPaths() const {
    std::vector<QString> texts;
    for (const MiddleElidedLabel* row : rows_)
        if (!row->isHidden())
            texts.push_back(row->text());
    return texts;
}

QString BlockedPathList::moreText() const {
    return more_->isHidden() ? QString() : more_->text();
}

} // namespace zn
