// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/fieldfile.h"

#include "formats/textcodec.h"

#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <QSaveFile>

FieldReader::FieldReader(QIODevice *device, qsizetype maxField) : dev_(device), maxField_(maxField)
{
    if (!dev_ || !dev_->isReadable())
        fail(QStringLiteral("file not open for reading"));
}

void FieldReader::fail(const QString &why)
{
    if (error_.isEmpty())
        error_ = why;
}

QString FieldReader::failWith(const char *why)
{
    fail(QString::fromLatin1(why));
    return {};
}

int FieldReader::get()
{
    char c;
    return dev_->getChar(&c) ? static_cast<unsigned char>(c) : -1;
}

int FieldReader::peek()
{
    char c;
    return dev_->peek(&c, 1) == 1 ? static_cast<unsigned char>(c) : -1;
}

bool FieldReader::atEnd() { return failed() || peek() < 0; }

void FieldReader::endLine(int c)
{
    if (c == '\r' && peek() == '\n')
        get();
}

QString FieldReader::field()
{
    if (failed())
        return {};
    int c = get();
    while (c == ' ' || c == '\t')
        c = get();
    if (c < 0)
        return failWith("input past end of file");

    QByteArray bytes;
    if (c == '"') {
        for (c = get(); c >= 0 && c != '"'; c = get()) {
            if (bytes.size() >= maxField_)
                return failWith("field too long");
            bytes.append(static_cast<char>(c));
        }
        // Whatever follows the closing quote up to the delimiter is not part of the field.
        if (c == '"') {
            qsizetype skipped = 0;
            for (c = get(); c >= 0 && c != ',' && c != '\r' && c != '\n'; c = get())
                if (++skipped > maxField_)
                    return failWith("field too long");
        }
        if (c == '\r' || c == '\n')
            endLine(c);
        return textcodec::decode(bytes);
    }

    for (; c >= 0 && c != ',' && c != '\r' && c != '\n'; c = get()) {
        if (bytes.size() >= maxField_)
            return failWith("field too long");
        bytes.append(static_cast<char>(c));
    }
    if (c == '\r' || c == '\n')
        endLine(c);
    while (!bytes.isEmpty() && (bytes.back() == ' ' || bytes.back() == '\t'))
        bytes.chop(1);
    return textcodec::decode(bytes);
}

QString FieldReader::line()
{
    if (failed())
        return {};
    int c = get();
    if (c < 0)
        return failWith("input past end of file");
    QByteArray bytes;
    for (; c >= 0 && c != '\r' && c != '\n'; c = get()) {
        if (bytes.size() >= maxField_)
            return failWith("line too long");
        bytes.append(static_cast<char>(c));
    }
    endLine(c);
    return textcodec::decode(bytes);
}

QByteArray FieldWriter::bytes() const
{
    QString text;
    for (const QString &l : lines_) {
        text += l;
        text += QLatin1String("\r\n");
    }
    return textcodec::encode(text);
}

bool FieldWriter::commit(const QString &path) const { return commitBytes(path, bytes()); }

bool FieldWriter::commitBytes(const QString &path, const QByteArray &data)
{
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // Flushed here: commit() flushes its buffer too, but a write that fails there (a full disk,
    // a file-size limit) would go unnoticed and the cut-short file would replace the old one.
    if (file.write(data) != data.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QString printNumber(long long n)
{
    return (n < 0 ? QString::number(n) : QLatin1Char(' ') + QString::number(n)) + QLatin1Char(' ');
}
