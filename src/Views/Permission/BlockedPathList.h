#pragma once

#include <QWidget>

#include <cstdint>
#include <string>
#include <vector>

namespace zn {

class DisclosureButton;
class MiddleElidedLabel;
class TextLabel;

// The paths a grant would still unlock, in a group that starts collapsed: "N files still protected",
// then at most six paths (one line each, cut in the middle) and "+ N more" for the rest.
class BlockedPathList : public QWidget {
    Q_OBJECT

public:
    static constexpr std::size_t kShownPaths = 6;

    // What the group shows of a list of paths.
    struct Cut {
        std::int64_t total = 0;
        std::vector<std::string> shown;
        std::int64_t more = 0; // paths beyond the shown ones; 0 shows no "+ N more" line
    };
    static Cut cut(const std::vector<std::string>& paths);

    explicit BlockedPathList(QWidget* parent = nullptr);

    void setPaths(const std::vector<std::string>& paths);

    bool isExpanded() const;
    void setExpanded(bool expanded);
    QString labelText() const;
    std::vector<QString> shownPaths() const;
    // The "+ N more" line while there is one.
    QString moreText() const;
    DisclosureButton& disclosure() { return *disclosure_; }

private:
    DisclosureButton* disclosure_;
    QWidget* content_;
    std::vector<MiddleElidedLabel*> rows_;
    TextLabel* more_;
};

} // namespace zn
