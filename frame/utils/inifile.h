#pragma once
// A small INI document in the usual hand-editable form: "[section]" lines, "key=value" lines,
// comments starting with ";" or "#". Names compare without letter case. Lines it does not
// change are written back as they were.

#include <QString>
#include <QStringList>

#include <optional>

namespace mc {

class IniFile {
public:
    // A missing or unreadable file reads as empty. UTF-8 is expected; a file that is not valid
    // UTF-8 is taken as GBK, the encoding of files written by hand on Chinese Windows.
    static IniFile load(const QString& path);

    std::optional<QString> value(const QString& section, const QString& key) const;
    void setValue(const QString& section, const QString& key, const QString& value);

    // Writes UTF-8 through a temporary file, so a failed write never leaves half a file.
    bool save(const QString& path) const;

private:
    qsizetype sectionLine(const QString& section) const;
    qsizetype sectionEnd(qsizetype sectionLine) const;
    qsizetype keyLine(qsizetype sectionLine, const QString& key) const;

    QStringList lines_;
};

}  // namespace mc
