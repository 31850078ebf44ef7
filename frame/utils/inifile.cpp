#include "utils/inifile.h"

#include "utils/gbk.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace mc {

namespace {

bool isSectionLine(const QString& line) { return line.trimmed().startsWith(u'['); }

QString sectionName(const QString& line)
{
    const QString t = line.trimmed();
    const qsizetype close = t.indexOf(u']');
    return (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
}

bool isComment(const QString& line)
{
    const QString t = line.trimmed();
    return t.startsWith(u';') || t.startsWith(u'#');
}

// Key of a "key=value" line, or an empty text for any other line.
QString lineKey(const QString& line)
{
    if (isComment(line) || isSectionLine(line))
        return {};
    const qsizetype eq = line.indexOf(u'=');
    return eq < 0 ? QString() : line.left(eq).trimmed();
}

// Values are trimmed; one pair of enclosing double quotes is removed, so a value can keep spaces.
QString unquote(const QString& raw)
{
    const QString t = raw.trimmed();
    if (t.size() >= 2 && t.startsWith(u'"') && t.endsWith(u'"'))
        return t.mid(1, t.size() - 2);
    return t;
}

QString quoteIfNeeded(const QString& value)
{
    const bool needs = value != value.trimmed()
        || (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'));
    return needs ? u'"' + value + u'"' : value;
}

QString decodeFile(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? fromGbk(bytes) : text;
}

}  // namespace

IniFile IniFile::load(const QString& path)
{
    IniFile ini;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ini;
    QString text = decodeFile(file.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    ini.lines_ = text.split(u'\n');
    if (!ini.lines_.isEmpty() && ini.lines_.last().isEmpty())
        ini.lines_.removeLast();
    return ini;
}

qsizetype IniFile::sectionLine(const QString& section) const
{
    for (qsizetype i = 0; i < lines_.size(); ++i)
        if (isSectionLine(lines_[i]) && sectionName(lines_[i]).compare(section, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

qsizetype IniFile::sectionEnd(qsizetype sectionLine) const
{
    qsizetype i = sectionLine + 1;
    while (i < lines_.size() && !isSectionLine(lines_[i]))
        ++i;
    return i;
}

qsizetype IniFile::keyLine(qsizetype sectionLine, const QString& key) const
{
    const qsizetype end = sectionEnd(sectionLine);
    for (qsizetype i = sectionLine + 1; i < end; ++i) {
        const QString name = lineKey(lines_[i]);
        if (!name.isEmpty() && name.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const
{
    const qsizetype s = sectionLine(section);
    if (s < 0)
        return std::nullopt;
    const qsizetype k = keyLine(s, key);
    if (k < 0)
        return std::nullopt;
    return unquote(lines_[k].mid(lines_[k].indexOf(u'=') + 1));
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value)
{
    // A line break inside a value would start a new line of the file and could forge keys.
    QString flat = value;
    flat.replace(QLatin1String("\r\n"), QLatin1String(" "));
    flat.replace(u'\r', u' ').replace(u'\n', u' ');
    const QString line = key + u'=' + quoteIfNeeded(flat);

    qsizetype s = sectionLine(section);
    if (s < 0) {
        lines_ << u'[' + section + u']' << line;
        return;
    }
    const qsizetype k = keyLine(s, key);
    if (k >= 0) {
        lines_[k] = line;
        return;
    }
    // After the last non-blank line of the section, so blank separators stay between sections.
    qsizetype at = sectionEnd(s);
    while (at > s + 1 && lines_[at - 1].trimmed().isEmpty())
        --at;
    lines_.insert(at, line);
}

bool IniFile::save(const QString& path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes;
    for (const QString& l : lines_)
        bytes += l.toUtf8() + '\n';
    file.write(bytes);
    return file.commit();
}

}  // namespace mc
