// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sequential text files as the question files and the catalogue use them.
//
// Reading: a field ends at a comma or a line end (CR LF, LF or CR); blanks before a field are
// skipped and blanks after an unquoted field dropped; a field that begins with a double quote runs
// to the next double quote, and anything after it up to the delimiter is dropped. Reading past the
// end, or a field longer than the bound, fails the reader: every later field reads empty and
// failed() says why, as a stream's fail state does, so a reader checks once at the end. Nothing a
// hostile file holds can make a reader use unbounded memory, and nothing is thrown.
//
// Writing: whole lines ending in CR LF, encoded by the rule of textcodec.h, and the file replaced
// atomically so a failure leaves the old file or the new one, never a torn one.
#include <QByteArray>
#include <QString>
#include <QStringList>

class QIODevice;

class FieldReader {
public:
    static constexpr qsizetype kDefaultMaxField = 64 * 1024;

    explicit FieldReader(QIODevice *device, qsizetype maxField = kDefaultMaxField);

    // The next field; empty, and the reader failed, past the end or when the field is too long.
    QString field();
    // The rest of the current line, whole (no blanks skipped, commas kept); fails like field().
    QString line();
    bool atEnd();

    // Whether reading has failed, and why ("input past end of file"); a reader of a format fails
    // it with a reason of its own (a right answer that is not 1 to 4).
    bool failed() const { return !error_.isEmpty(); }
    const QString &error() const { return error_; }
    void fail(const QString &why);

private:
    int get();
    int peek();
    void endLine(int c);  // swallow LF after CR
    QByteArray take(qsizetype limit);
    QString failWith(const char *why);  // fails, and gives the empty field

    QIODevice *dev_;
    qsizetype maxField_;
    QString error_;
};

class FieldWriter {
public:
    void printLine(const QString &text) { lines_.append(text); }
    const QStringList &lines() const { return lines_; }

    // Writes every line followed by CR LF to path, atomically. Returns false on any failure,
    // leaving whatever was there before untouched.
    bool commit(const QString &path) const;
    // The same for bytes already encoded.
    static bool commitBytes(const QString &path, const QByteArray &data);

    QByteArray bytes() const;

private:
    QStringList lines_;
};

// A number as a sequential writer prints it: a blank (or the minus sign) before the digits and a
// blank after them, " 5 ".
QString printNumber(long long n);
