#include "Views/Kit/Theme/Symbols.h"

#include "Logic/Utilities/Logger.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>
#include <mutex>
#include <set>
#include <string>

namespace zn {

namespace {

struct SymbolEntry {
    std::string_view name;
    char16_t glyph;
    // Drawn with its outer contours filled, where the font has the outlined form only.
    bool solid = false;
};

// Every symbol the screens and the categories use, by its Material Icons codepoint.
constexpr SymbolEntry kSymbols[] = {
    {"app", 0xe5c3},                     // apps (a square would pass for a check box)
    {"app.badge", 0xe5c3},               // apps
    {"app.fill", 0xe069},                // web_asset
    {"arrow.3.trianglepath", 0xe760},    // recycling
    {"arrow.clockwise", 0xe5d5},         // refresh
    {"arrow.clockwise.circle", 0xe9d8},  // replay_circle_filled
    {"arrow.up.arrow.down", 0xe8d5},     // swap_vert
    {"checkmark", 0xe5ca},               // check
    {"checkmark.circle", 0xe92d},        // check_circle_outline
    {"checkmark.circle.fill", 0xe86c},   // check_circle
    {"checkmark.seal.fill", 0xef76},     // verified
    {"checkmark.shield.fill", 0xe8e8},   // verified_user
    {"chevron.down", 0xe5cf},            // expand_more
    {"chevron.right", 0xe5cc},           // chevron_right
    {"circle", 0xe836},                  // radio_button_unchecked
    {"circle.lefthalf.filled", 0xeb37},  // contrast
    {"clock", 0xe192},                   // access_time
    {"cpu.fill", 0xe30d},                // developer_board
    {"cursorarrow.click.2", 0xe762},     // ads_click
    {"doc", 0xe24d},                     // insert_drive_file
    {"doc.fill", 0xe24d},                // insert_drive_file
    {"doc.questionmark.fill", 0xf04c},   // quiz
    {"doc.text", 0xe873},                // description
    {"doc.zipper", 0xeb2c},              // folder_zip
    {"envelope.fill", 0xe0be},           // email
    {"exclamationmark.triangle.fill", 0xe002}, // warning
    {"eye.slash.fill", 0xe8f5},          // visibility_off
    {"folder", 0xe2c7},                  // folder
    {"folder.badge.gearshape", 0xf1c4},  // source
    {"gear", 0xe8b8},                    // settings
    {"gearshape.fill", 0xe8b8},          // settings
    {"hammer.fill", 0xea59},             // hardware
    {"hand.wave.fill", 0xe766},          // waving_hand
    {"info.circle", 0xe88f},             // info_outline
    {"internaldrive.fill", 0xe1db},      // storage
    {"leaf.fill", 0xea35},               // eco
    {"lock.shield", 0xe32a},             // security
    {"lock.shield.fill", 0xe32a},        // security
    {"macwindow", 0xe069},               // web_asset
    {"magnifyingglass", 0xe8b6},         // search
    {"memorychip.fill", 0xe322},         // memory
    {"moon.fill", 0xe51c},               // dark_mode
    {"mug.fill", 0xefef},                // coffee
    {"opticaldisc", 0xe019},             // album
    {"shippingbox", 0xe1a1},             // inventory_2
    {"shippingbox.fill", 0xe1a1},        // inventory_2
    {"sparkles", 0xe65f},                // auto_awesome
    {"square", 0xe835},                  // check_box_outline_blank
    {"square.grid.2x2", 0xe9b0},         // grid_view
    {"square.grid.2x2.fill", 0xe9b0, true}, // grid_view, its four tiles filled
    {"sun.max.fill", 0xe518},            // light_mode
    {"terminal", 0xeb8e},                // terminal
    {"trash", 0xe872},                   // delete
    {"trash.fill", 0xe872},              // delete
    {"xmark", 0xe5cd},                   // close
    {"xmark.circle.fill", 0xe5c9},       // cancel
    {"arrow.up.right.square", 0xe89e},   // open_in_new
    {"questionmark.circle", 0xe887},     // help
};

// The symbol's em box is a fifth larger than the text it stands beside, as the platform's symbols are.
constexpr double kSymbolScale = 1.2;

void logUnknownOnce(std::string_view name) {
    static std::mutex mutex;
    static std::set<std::string, std::less<>> logged;
    {
        std::lock_guard lock(mutex);
        if (!logged.emplace(name).second)
            return;
    }
    Logger::shared().log("Unknown symbol name: " + std::string(name), LogLevel::warning,
                         "paintSymbol(_:frame:name:size:color:)");
}

void paintPlaceholder(QPainter& painter, const QRectF& box, const QColor& color) {
    painter.save();
    painter.setPen(QPen(color, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    QFont font = painter.font();
    font.setPixelSize(qMax(6, qRound(box.height() * 0.7)));
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(box, Qt::AlignCenter, QStringLiteral("?"));
    painter.restore();
}

const SymbolEntry* findSymbol(std::string_view name) {
    for (const SymbolEntry& entry : kSymbols)
        if (entry.name == name)
            return &entry;
    return nullptr;
}

// The glyph where a centred line of text puts it, with every contour that lies inside another dropped and
// the rest filled: outlined tiles become solid ones of the same footprint.
void paintSolidGlyph(QPainter& painter, const QRectF& box, const QFont& font, char16_t glyph, const QColor& color) {
    const QString text(QChar{glyph});
    const QFontMetricsF metrics(font);
    const QPointF baseline(box.center().x() - metrics.horizontalAdvance(text) / 2,
                           box.center().y() - metrics.height() / 2 + metrics.ascent());
    QPainterPath outline;
    outline.addText(baseline, font, text);
    const QList<QPolygonF> contours = outline.toSubpathPolygons();
    QPainterPath solid;
    for (const QPolygonF& contour : contours) {
        const bool inner = std::any_of(contours.begin(), contours.end(), [&](const QPolygonF& other) {
            return &other != &contour && other.containsPoint(contour.first(), Qt::OddEvenFill);
        });
        if (!inner)
            solid.addPolygon(contour);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(solid, color);
}

} // namespace

std::optional<char16_t> symbolGlyph(std::string_view name) {
    if (const SymbolEntry* entry = findSymbol(name))
        return entry->glyph;
    return std::nullopt;
}

std::vector<std::string_view> symbolNames() {
    std::vector<std::string_view> names;
    for (const SymbolEntry& entry : kSymbols)
        names.push_back(entry.name);
    return names;
}

QFont symbolFont(double size) {
    QFont font(QStringLiteral("Material Icons"));
    font.setPixelSize(qMax(1, qRound(size * kSymbolScale)));
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

void paintSymbol(QPainter& painter, const QRectF& frame, std::string_view name, double size, const QColor& color) {
    const SymbolEntry* symbol = findSymbol(name);
    if (!symbol) {
        logUnknownOnce(name);
        QRectF placeholder(0, 0, size, size);
        placeholder.moveCenter(frame.center());
        paintPlaceholder(painter, placeholder, color);
        return;
    }
    const double side = size * kSymbolScale;
    QRectF box(0, 0, side, side);
    box.moveCenter(frame.center());
    painter.save();
    if (symbol->solid) {
        paintSolidGlyph(painter, box, symbolFont(size), symbol->glyph, color);
    } else {
        painter.setFont(symbolFont(size));
        painter.setPen(color);
        painter.drawText(box, Qt::AlignCenter, QString(QChar(symbol->glyph)));
    }
    painter.restore();
}

QIcon symbolIcon(std::string_view name, double size, const QColor& color) {
    QIcon icon;
    for (const qreal ratio : {1.0, 2.0}) {
        const int side = qCeil(size * kSymbolScale * ratio);
        QPixmap pixmap(side, side);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        paintSymbol(painter, QRectF(0, 0, side / ratio, side / ratio), name, size, color);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace zn
