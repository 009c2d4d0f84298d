#include "Views/CategoryDetail/CategoryFileList.h"

#include "Views/CategoryDetail/FileListView.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Surfaces/PanelPainter.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QPainter>
#include <QVBoxLayout>

namespace zn {

namespace {
constexpr double kCornerRadius = 12;
} // namespace

CategoryFileList::CategoryFileList(FileListModel& model, FileViewer& fileViewer, QWidget* parent)
    : QWidget(parent), header_(new TextLabel(QString(), systemFont(11, QFont::DemiBold), PlatformColor::secondaryLabel)),
      view_(new FileListView(model, fileViewer)) {
    header_->setMonospacedDigits(true);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(1, 10, 1, 6);
    column->setSpacing(4);
    auto* headerRow = new QHBoxLayout;
    headerRow->setContentsMargins(14, 0, 14, 0);
    headerRow->addWidget(header_);
    headerRow->addStretch(1);
    column->addLayout(headerRow);
    column->addWidget(view_, 1);
}

void CategoryFileList::setHeader(const QString& text) {
    header_->setText(text);
}

void CategoryFileList::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintPanel(painter, QRectF(rect()), colorScheme(*this), kCornerRadius);
}

} // namespace zn
