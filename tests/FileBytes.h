#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

// A file's whole content, or "<unreadable>", which no test writes, when it cannot be read.
inline QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.readAll();
}

// Writes a file whole; the calling test fails when it cannot.
inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}
