#include "Views/Kit/Feedback/AlertDialog.h"

#include "Models/Brand.h"
#include "Models/Tint.h"
#include "Views/Kit/Controls/BorderedButton.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Theme/AppIcon.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLabel>
#include <QTextBoundaryFinder>
#include <QVBoxLayout>

namespace zn {

namespace {

constexpr int kIconSide = 64;
constexpr int kSideMargin = 20;
constexpr int kTextWidth = AlertDialog::kWidth - 2 * kSideMargin;

constexpr QChar kBreakOpportunity(0x200B); // zero-width space

bool fits(const QFontMetricsF& metrics, QStringView text) {
    return metrics.horizontalAdvance(text.toString()) <= kTextWidth;
}

// A run of text too wide for a line, with a break opportunity between every two of its characters.
void appendBreakableAnywhere(QString& shown, QStringView run) {
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, run.data(), run.size());
    qsizetype start = 0;
    for (qsizetype end = characters.toNextBoundary(); end != -1; end = characters.toNextBoundary()) {
        if (start > 0)
            shown += kBreakOpportunity;
        shown += run.sliced(start, end - start);
        start = end;
    }
}

// Messages name files by path, and a path has no spaces to wrap at: a word wider than the text column may
// break after each "/", and a part of it still too wide between any two characters, so it wraps where the
// line ends instead of being clipped. Only the shown text carries the break opportunities.
QString breakableText(const QString& text, const QFont& font) {
    const QFontMetricsF metrics(font);
    QString shown;
    auto appendWord = [&](QStringView word) {
        if (fits(metrics, word)) {
            shown += word;
            return;
        }
        while (!word.isEmpty()) {
            const qsizetype slash = word.indexOf(QLatin1Char('/'));
            const QStringView part = word.first(slash == -1 ? word.size() : slash + 1);
            if (fits(metrics, part))
                shown += part;
            else
                appendBreakableAnywhere(shown, part);
            word = word.sliced(part.size());
            if (!word.isEmpty())
                shown += kBreakOpportunity;
        }
    };
    qsizetype wordStart = 0;
    for (qsizetype index = 0; index < text.size(); ++index) {
        if (!text[index].isSpace())
            continue;
        appendWord(QStringView(text).sliced(wordStart, index - wordStart));
        shown += text[index];
        wordStart = index + 1;
    }
    appendWord(QStringView(text).sliced(wordStart));
    return shown;
}

} // namespace

AlertDialog::AlertDialog(const QString& title, const QString& message, QWidget* parent)
    : QDialog(parent), titleLabel_(new TextLabel(QString(), systemFont(13, QFont::Bold))),
      messageLabel_(new TextLabel(QString(), systemFont(11))), buttonRow_(new QHBoxLayout) {
    setFixedWidth(kWidth);
    // The window manager's title bar names the program; the alert's own title is in its body, in full.
    setWindowTitle(QString::fromLatin1(Brand::name));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(kSideMargin, 20, kSideMargin, 18);
    column->setSpacing(0);

    auto* icon = new QLabel;
    icon->setPixmap(applicationIcon().pixmap(kIconSide, kIconSide));
    column->addWidget(icon, 0, Qt::AlignHCenter);
    column->addSpacing(12);
    for (TextLabel* label : {titleLabel_, messageLabel_}) {
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignHCenter);
    }
    column->addWidget(titleLabel_);
    column->addSpacing(6);
    column->addWidget(messageLabel_);
    column->addSpacing(18);
    buttonRow_->setSpacing(8);
    column->addLayout(buttonRow_);
    setTitle(title);
    setMessage(message);
}

void AlertDialog::setTitle(const QString& title) {
    title_ = title;
    titleLabel_->setText(breakableText(title, titleLabel_->font()));
    fitHeight();
}

void AlertDialog::setMessage(const QString& message) {
    message_ = message;
    messageLabel_->setText(breakableText(message, messageLabel_->font()));
    fitHeight();
}

QSize AlertDialog::sizeHint() const {
    return {kWidth, heightForWidth(kWidth)};
}

void AlertDialog::fitHeight() {
    // An open alert grows or shrinks with a new text; a closed one is sized when it opens.
    if (isVisible())
        adjustSize();
}

QAbstractButton* AlertDialog::addButton(const QString& text, Role role) {
    auto* button = new BorderedButton(text, BorderedButton::Prominence::standard);
    button->setControlSize(BorderedButton::ControlSize::large);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    if (role == Role::destructive)
        button->setTint(qColor(Tint::red));
    connect(button, &QAbstractButton::clicked, this, [this, button, role] {
        clicked_ = button;
        if (role == Role::cancel)
            reject();
        else
            accept();
    });
    // The first button sits at the trailing end, as the platform orders an alert's buttons.
    buttonRow_->insertWidget(0, button);
    buttons_.push_back(button);
    roles_.push_back(role);
    // Return presses the preferred button, or a lone cancel button ("OK"), drawn filled; never a destructive
    // one, which is drawn red. The others must not become the default when they take the focus, or Return on
    // a freshly opened review would clean.
    for (std::size_t index = 0; index < buttons_.size(); ++index) {
        auto* shown = static_cast<BorderedButton*>(buttons_[index]);
        const bool isDefault =
            roles_[index] == Role::preferred || (buttons_.size() == 1 && roles_[index] == Role::cancel);
        shown->setAutoDefault(isDefault);
        shown->setDefault(isDefault);
        shown->setProminence(isDefault || roles_[index] == Role::destructive ? BorderedButton::Prominence::prominent
                                                                              : BorderedButton::Prominence::standard);
    }
    return button;
}

} // namespace zn
