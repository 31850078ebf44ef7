#pragma once
// Reading back the files the output tests write.

#include <QByteArray>
#include <QFile>
#include <QRegularExpression>
#include <QString>

namespace mctest {

// The whole file; empty when it cannot be read.
inline QByteArray readAll(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The page objects of a PDF file.
inline int pdfPages(const QByteArray& pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return int(QString::fromLatin1(pdf).count(page));
}

}  // namespace mctest
