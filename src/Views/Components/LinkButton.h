#pragma once

#include "Views/Components/PlainButton.h"

namespace zn {

// A button that looks like a link: text in the scheme accent, underlined under the pointer.
class LinkButton : public PlainButton {
    Q_OBJECT

public:
    LinkButton(const QString& text, const QFont& font, QWidget* parent = nullptr);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void setUnderline(bool underline);
};

} // namespace zn
