#pragma once
// A report template as the engine holds it: one page setup and a list of bands, each with the
// objects it prints. Every length is in millimetres.

#include <QByteArray>
#include <QList>
#include <QRectF>
#include <QString>

namespace mc::reports {

enum class BandType {
    ReportTitle,
    PageHeader,
    ColumnHeader,
    MasterData,
    DetailData,
    GroupHeader,
    GroupFooter,
    ReportSummary,
    PageFooter,
};

// Names as written in template files.
QString bandTypeName(BandType type);
// Names as the designer shows them ("主数据").
QString bandTypeCaption(BandType type);
// False when `name` is no band type.
bool bandTypeFromName(const QString& name, BandType* type);
// Every band type, in the order a prepared page prints them.
const QList<BandType>& allBandTypes();

enum class ObjectKind { Text, Line, Rect, Picture };

// Frame sides of a text object.
enum FrameSide { FrameLeft = 1, FrameTop = 2, FrameRight = 4, FrameBottom = 8 };

struct FontStyle {
    QString family;        // empty: the engine's default family
    double size = 9;       // points
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const FontStyle&) const = default;
};

enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Center, Bottom };

struct ReportObject {
    ObjectKind kind = ObjectKind::Text;
    QString name;
    // Relative to the band's top-left corner. A line runs from the top-left to the
    // bottom-right corner of its rectangle.
    QRectF rect;
    QString text;          // text objects: literal text with [expressions]
    QString format;        // applied to every expression of the text that has no format of its own
    FontStyle font;
    HAlign halign = HAlign::Left;
    VAlign valign = VAlign::Top;
    int frame = 0;         // FrameSide bits
    bool wordWrap = false;
    double lineWidth = 0.2;
    QByteArray picture;    // encoded image (PNG, JPEG)

    bool operator==(const ReportObject&) const = default;
};

struct Band {
    BandType type = BandType::MasterData;
    QString name;
    double height = 5;
    // MasterData and DetailData: the data source whose rows drive the band.
    QString source;
    // GroupHeader: the expression whose change of value starts a new group.
    QString condition;
    // The band grows to fit word-wrapped texts taller than itself.
    bool stretch = false;
    QList<ReportObject> objects;

    bool operator==(const Band&) const = default;
};

struct PageSetup {
    double width = 210;
    double height = 297;   // 0: a continuous roll, as tall as its content
    double marginLeft = 10;
    double marginTop = 10;
    double marginRight = 10;
    double marginBottom = 10;

    bool continuous() const { return height <= 0; }
    bool operator==(const PageSetup&) const = default;
};

struct ReportTemplate {
    PageSetup page;
    QList<Band> bands;

    // The first band of a type, or nullptr.
    const Band* band(BandType type) const;
    Band* band(BandType type);
    // The object of that name in any band, or nullptr.
    ReportObject* object(const QString& name);
    bool isEmpty() const { return bands.isEmpty(); }
    bool operator==(const ReportTemplate&) const = default;
};

// The family used when a font names none: one that has the Chinese glyphs.
QString defaultFontFamily();

}  // namespace mc::reports
