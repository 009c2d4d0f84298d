#include "Views/Settings/CleaningSettingsView.h"

#include "Views/Kit/Controls/SwitchToggle.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Theme/DisplayText.h"
#include "Views/Kit/Theme/TextStyles.h"
#include "Views/Settings/FormSection.h"
#include "Views/Settings/SettingsStepper.h"

#include <QSignalBlocker>
#include <QVBoxLayout>

namespace zn {

CleaningSettingsView::CleaningSettingsView(UserDefaults& defaults, QWidget* parent)
    : QWidget(parent), settings_(defaults), skipHiddenFiles_(new SwitchToggle),
      threshold_(
          new SettingsStepper(StoredSettings::kLargeFileThresholdRange, settings_.largeFileThresholdMB())),
      months_(new SettingsStepper(StoredSettings::kOldFileMonthsRange, settings_.oldFileMonths())),
      thresholdLabel_(new TextLabel(QString(), textFont(TextStyle::body))),
      monthsLabel_(new TextLabel(QString(), textFont(TextStyle::body))) {
    auto* column = new QVBoxLayout(this);
    column->setSpacing(18);

    auto* scan = new FormSection(QStringLiteral("Scan options"));
    scan->addControlRow(QStringLiteral("Skip hidden system files"), skipHiddenFiles_);
    column->addWidget(scan);

    auto* largeFiles = new FormSection(QStringLiteral("Large Files"));
    largeFiles->addControlRow(thresholdLabel_, threshold_);
    largeFiles->addControlRow(monthsLabel_, months_);
    column->addWidget(largeFiles);
    column->addStretch();

    showStoredValues();
    connect(skipHiddenFiles_, &SwitchToggle::toggled, this,
            [this](bool on) { settings_.setSkipHiddenFiles(on); });
    connect(threshold_, &SettingsStepper::valueChanged, this, [this](int megabytes) {
        settings_.setLargeFileThresholdMB(megabytes);
        thresholdLabel_->setText(filledText("Minimum size: %lld MB", {static_cast<long long>(megabytes)}));
    });
    connect(months_, &SettingsStepper::valueChanged, this, [this](int months) {
        settings_.setOldFileMonths(months);
        monthsLabel_->setText(filledText("Files older than: %lld months", {static_cast<long long>(months)}));
    });
}

void CleaningSettingsView::showEvent(QShowEvent* event) {
    showStoredValues();
    QWidget::showEvent(event);
}

void CleaningSettingsView::showStoredValues() {
    const QSignalBlocker blockSwitch(skipHiddenFiles_);
    const QSignalBlocker blockThreshold(threshold_);
    const QSignalBlocker blockMonths(months_);
    skipHiddenFiles_->setChecked(settings_.skipHiddenFiles());
    const qint64 megabytes = settings_.largeFileThresholdMB();
    const qint64 months = settings_.oldFileMonths();
    threshold_->setValue(static_cast<int>(StoredSettings::kLargeFileThresholdRange.snapped(megabytes)));
    months_->setValue(static_cast<int>(StoredSettings::kOldFileMonthsRange.snapped(months)));
    // The labels tell the stored number as it stands.
    thresholdLabel_->setText(filledText("Minimum size: %lld MB", {static_cast<long long>(megabytes)}));
    monthsLabel_->setText(filledText("Files older than: %lld months", {static_cast<long long>(months)}));
}

} // namespace zn
