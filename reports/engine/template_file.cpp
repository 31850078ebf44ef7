#include "template_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>

namespace mc::reports {

namespace {

constexpr int formatVersion = 1;

double number(const QXmlStreamAttributes& a, const char* name, double fallback)
{
    const QStringView v = a.value(QLatin1String(name));
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? d : fallback;
}

// Lengths never go below zero: a negative band height would run the layout backwards.
double length(const QXmlStreamAttributes& a, const char* name, double fallback)
{
    return std::max(0.0, number(a, name, fallback));
}

bool flag(const QXmlStreamAttributes& a, const char* name)
{
    const QStringView v = a.value(QLatin1String(name));
    return v == QLatin1String("1") || v == QLatin1String("true");
}

QString text(const QXmlStreamAttributes& a, const char* name)
{
    return a.value(QLatin1String(name)).toString();
}

int parseFrame(QStringView v)
{
    int frame = 0;
    for (QChar c : v) {
        switch (c.toLower().unicode()) {
        case 'l': frame |= FrameLeft; break;
        case 't': frame |= FrameTop; break;
        case 'r': frame |= FrameRight; break;
        case 'b': frame |= FrameBottom; break;
        default: break;
        }
    }
    return frame;
}

QString frameText(int frame)
{
    QString s;
    if (frame & FrameLeft) s += u'l';
    if (frame & FrameTop) s += u't';
    if (frame & FrameRight) s += u'r';
    if (frame & FrameBottom) s += u'b';
    return s;
}

void parseAlign(QStringView v, ReportObject& o)
{
    for (QStringView word : v.split(u' ', Qt::SkipEmptyParts)) {
        if (word == QLatin1String("left")) o.halign = HAlign::Left;
        else if (word == QLatin1String("center")) o.halign = HAlign::Center;
        else if (word == QLatin1String("right")) o.halign = HAlign::Right;
        else if (word == QLatin1String("top")) o.valign = VAlign::Top;
        else if (word == QLatin1String("middle")) o.valign = VAlign::Center;
        else if (word == QLatin1String("bottom")) o.valign = VAlign::Bottom;
    }
}

QString alignText(const ReportObject& o)
{
    const char* h = o.halign == HAlign::Left ? "left" : o.halign == HAlign::Center ? "center" : "right";
    const char* v = o.valign == VAlign::Top ? "top" : o.valign == VAlign::Center ? "middle" : "bottom";
    return QLatin1String(h) + u' ' + QLatin1String(v);
}

bool objectKind(QStringView element, ObjectKind* kind)
{
    if (element == QLatin1String("text")) *kind = ObjectKind::Text;
    else if (element == QLatin1String("line")) *kind = ObjectKind::Line;
    else if (element == QLatin1String("rect")) *kind = ObjectKind::Rect;
    else if (element == QLatin1String("picture")) *kind = ObjectKind::Picture;
    else return false;
    return true;
}

const char* elementOf(ObjectKind kind)
{
    switch (kind) {
    case ObjectKind::Text: return "text";
    case ObjectKind::Line: return "line";
    case ObjectKind::Rect: return "rect";
    case ObjectKind::Picture: return "picture";
    }
    return "text";
}

ReportObject readObject(QXmlStreamReader& xml, ObjectKind kind)
{
    const QXmlStreamAttributes a = xml.attributes();
    ReportObject o;
    o.kind = kind;
    o.name = text(a, "name");
    o.rect = QRectF(length(a, "left", 0), length(a, "top", 0), length(a, "width", 0), length(a, "height", 0));
    o.format = text(a, "format");
    o.font.family = text(a, "font");
    o.font.size = number(a, "size", o.font.size);
    o.font.bold = flag(a, "bold");
    o.font.italic = flag(a, "italic");
    o.font.underline = flag(a, "underline");
    parseAlign(a.value(QLatin1String("align")), o);
    o.frame = parseFrame(a.value(QLatin1String("frame")));
    o.wordWrap = flag(a, "wrap");
    o.lineWidth = length(a, "linewidth", o.lineWidth);
    const QString content = xml.readElementText();
    if (kind == ObjectKind::Picture)
        o.picture = QByteArray::fromBase64(content.toLatin1());
    else if (kind == ObjectKind::Text)
        o.text = content;
    return o;
}

QString fmt(double v)
{
    return QString::number(v, 'g', 10);
}

}  // namespace

QString templatePath(const QString& appPath, const QString& name)
{
    return appPath + QStringLiteral("report/") + name + QStringLiteral(".fr3");
}

LoadResult parseTemplate(const QByteArray& data)
{
    LoadResult result;
    QXmlStreamReader xml(data);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("report")) {
        result.error = QStringLiteral("不是报表模板文件");
        return result;
    }
    if (number(xml.attributes(), "version", formatVersion) > formatVersion) {
        result.error = QStringLiteral("报表模板的版本太新");
        return result;
    }
    ReportTemplate& r = result.report;
    while (xml.readNextStartElement()) {
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == QLatin1String("page")) {
            PageSetup& p = r.page;
            p.width = length(a, "width", p.width);
            p.height = length(a, "height", p.height);
            p.marginLeft = length(a, "left", p.marginLeft);
            p.marginTop = length(a, "top", p.marginTop);
            p.marginRight = length(a, "right", p.marginRight);
            p.marginBottom = length(a, "bottom", p.marginBottom);
            if (p.width <= p.marginLeft + p.marginRight)
                xml.raiseError(QStringLiteral("页面宽度不够"));
            xml.skipCurrentElement();
        } else if (xml.name() == QLatin1String("band")) {
            Band b;
            if (!bandTypeFromName(text(a, "type"), &b.type)) {
                xml.raiseError(QStringLiteral("未知的区域类型 ") + text(a, "type"));
                break;
            }
            b.name = text(a, "name");
            b.height = length(a, "height", b.height);
            b.source = text(a, "source");
            b.condition = text(a, "condition");
            b.stretch = flag(a, "stretch");
            while (xml.readNextStartElement()) {
                ObjectKind kind;
                if (objectKind(xml.name(), &kind))
                    b.objects << readObject(xml, kind);
                else
                    xml.skipCurrentElement();
            }
            r.bands << b;
        } else {
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError()) {
        result.error = QStringLiteral("报表模板有错误(第%1行): %2").arg(xml.lineNumber()).arg(xml.errorString());
        result.report = ReportTemplate();
    }
    return result;
}

LoadResult loadTemplate(const QString& file)
{
    QFile f(file);
    if (!f.exists())
        return {};
    if (!f.open(QIODevice::ReadOnly))
        return {ReportTemplate(), QStringLiteral("无法打开报表模板 ") + file + QStringLiteral(": ") + f.errorString()};
    return parseTemplate(f.readAll());
}

QByteArray serializeTemplate(const ReportTemplate& r)
{
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("report"));
    xml.writeAttribute(QStringLiteral("version"), QString::number(formatVersion));
    xml.writeEmptyElement(QStringLiteral("page"));
    xml.writeAttribute(QStringLiteral("width"), fmt(r.page.width));
    xml.writeAttribute(QStringLiteral("height"), fmt(r.page.height));
    xml.writeAttribute(QStringLiteral("left"), fmt(r.page.marginLeft));
    xml.writeAttribute(QStringLiteral("top"), fmt(r.page.marginTop));
    xml.writeAttribute(QStringLiteral("right"), fmt(r.page.marginRight));
    xml.writeAttribute(QStringLiteral("bottom"), fmt(r.page.marginBottom));
    for (const Band& b : r.bands) {
        xml.writeStartElement(QStringLiteral("band"));
        xml.writeAttribute(QStringLiteral("type"), bandTypeName(b.type));
        if (!b.name.isEmpty()) xml.writeAttribute(QStringLiteral("name"), b.name);
        xml.writeAttribute(QStringLiteral("height"), fmt(b.height));
        if (!b.source.isEmpty()) xml.writeAttribute(QStringLiteral("source"), b.source);
        if (!b.condition.isEmpty()) xml.writeAttribute(QStringLiteral("condition"), b.condition);
        if (b.stretch) xml.writeAttribute(QStringLiteral("stretch"), QStringLiteral("1"));
        for (const ReportObject& o : b.objects) {
            xml.writeStartElement(QLatin1String(elementOf(o.kind)));
            if (!o.name.isEmpty()) xml.writeAttribute(QStringLiteral("name"), o.name);
            xml.writeAttribute(QStringLiteral("left"), fmt(o.rect.left()));
            xml.writeAttribute(QStringLiteral("top"), fmt(o.rect.top()));
            xml.writeAttribute(QStringLiteral("width"), fmt(o.rect.width()));
            xml.writeAttribute(QStringLiteral("height"), fmt(o.rect.height()));
            if (o.kind == ObjectKind::Text) {
                if (!o.font.family.isEmpty()) xml.writeAttribute(QStringLiteral("font"), o.font.family);
                xml.writeAttribute(QStringLiteral("size"), fmt(o.font.size));
                if (o.font.bold) xml.writeAttribute(QStringLiteral("bold"), QStringLiteral("1"));
                if (o.font.italic) xml.writeAttribute(QStringLiteral("italic"), QStringLiteral("1"));
                if (o.font.underline) xml.writeAttribute(QStringLiteral("underline"), QStringLiteral("1"));
                xml.writeAttribute(QStringLiteral("align"), alignText(o));
                if (o.frame) xml.writeAttribute(QStringLiteral("frame"), frameText(o.frame));
                if (o.wordWrap) xml.writeAttribute(QStringLiteral("wrap"), QStringLiteral("1"));
                if (!o.format.isEmpty()) xml.writeAttribute(QStringLiteral("format"), o.format);
                xml.writeCharacters(o.text);
            } else if (o.kind == ObjectKind::Picture) {
                xml.writeCharacters(QString::fromLatin1(o.picture.toBase64()));
            } else {
                xml.writeAttribute(QStringLiteral("linewidth"), fmt(o.lineWidth));
            }
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

QString saveTemplate(const ReportTemplate& report, const QString& file)
{
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSaveFile f(file);
    if (!f.open(QIODevice::WriteOnly))
        return QStringLiteral("无法保存报表模板 ") + file + QStringLiteral(": ") + f.errorString();
    f.write(serializeTemplate(report));
    if (!f.commit())
        return QStringLiteral("无法保存报表模板 ") + file + QStringLiteral(": ") + f.errorString();
    return {};
}

}  // namespace mc::reports
