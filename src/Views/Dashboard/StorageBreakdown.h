#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>
#include <vector>

namespace zn {

// The storage bar under the hero's figures: the used share of the disk, the part of it a scan found (at
// most 40 percent of the bar, never narrower than 8 points, ending where the used part ends), and the
// legend of used, found and purgeable space with the percentage used.
class StorageBreakdown : public QWidget {
    Q_OBJECT

public:
    struct Segments {
        double usedWidth = 0;
        // The found part; no width when nothing was found.
        double foundLeft = 0;
        double foundWidth = 0;
    };

    explicit StorageBreakdown(QWidget* parent = nullptr);

    void setFigures(std::int64_t used, std::int64_t total, std::int64_t found, std::int64_t purgeable);
    // The parts of a bar `width` points wide.
    static Segments segments(double width, std::int64_t used, std::int64_t total, std::int64_t found);
    // The legend's labels, in order.
    std::vector<QString> legendLabels() const;
    QString percentText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Entry {
        QColor color;
        QString label;
        QString value;
    };
    std::vector<Entry> legend() const;

    std::int64_t used_ = 0;
    std::int64_t total_ = 0;
    std::int64_t found_ = 0;
    std::int64_t purgeable_ = 0;
};

} // namespace zn
