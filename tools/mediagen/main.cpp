// SPDX-License-Identifier: GPL-3.0-or-later
// mediagen MEDIA_DIR DATA_DIR ICON_DIR
// Makes the data folder from the sources in media/: every "NAME.recipe" becomes NAME, drawn or
// synthesised by the generator its "kind" names; every text file is copied as Windows-1252 text
// with CR LF line ends. The pictures' "description" lines are gathered into descriptions.txt, the
// words a screen reader says for each picture. The same sources give the same bytes every time.
#include "generators.h"

#include "formats/fieldfile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>
#include <functional>
#include <map>

namespace {

using Generator = std::function<void(const Recipe &, const QString &)>;

const std::map<QString, Generator> &generators()
{
    static const std::map<QString, Generator> g = {
        {QStringLiteral("icicles"), makeIcicles},
        {QStringLiteral("click"), makeClick},
        {QStringLiteral("icon"), makeIcon},
        {QStringLiteral("planet"), makePlanet},
        {QStringLiteral("jupiter-turn"), makeJupiterTurn},
        {QStringLiteral("thermometer"), makeThermometer},
        {QStringLiteral("small-thermometer"), makeSmallThermometer},
        {QStringLiteral("temperature-strip"), makeTemperatureStrip},
        {QStringLiteral("weather-map"), makeWeatherMap},
        {QStringLiteral("logo-animation"), makeLogoAnimation},
        {QStringLiteral("logo-still"), makeLogoStill},
        {QStringLiteral("sound"), makeSound},
    };
    return g;
}

void copyText(const QString &from, const QString &to)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + from.toStdString());
    QString text = QString::fromUtf8(in.readAll());
    text.remove(QLatin1Char('\r'));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    FieldWriter w;
    for (const QString &line : text.split(QLatin1Char('\n')))
        w.printLine(line);
    if (!w.commit(to))
        throw std::runtime_error("cannot write " + to.toStdString());
}

// One "path<TAB>words" line per picture, sorted so the bytes do not depend on the folder order.
void writeDescriptions(QStringList lines, const QString &to)
{
    lines.sort();
    QFile out(to);
    const QByteArray bytes = lines.join(QLatin1Char('\n')).toUtf8() + '\n';
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + to.toStdString());
}

}  // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: mediagen MEDIA_DIR DATA_DIR ICON_DIR\n");
        return 2;
    }
    const QDir media(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath());
    const QDir data(QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath());
    const QDir icons(QFileInfo(QString::fromLocal8Bit(argv[3])).absoluteFilePath());
    try {
        QStringList descriptions;
        QDirIterator it(media.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString source = it.next();
            QString relative = media.relativeFilePath(source);
            const bool isIcon = relative.startsWith(QLatin1String("icon/"));
            const QDir &target = isIcon ? icons : data;
            if (isIcon)
                relative = relative.mid(5);
            if (relative.endsWith(QLatin1String(".recipe"))) {
                relative.chop(7);
                const QString out = target.filePath(relative);
                QDir().mkpath(QFileInfo(out).absolutePath());
                const Recipe recipe = Recipe::read(source);
                auto g = generators().find(recipe.kind());
                if (g == generators().end())
                    throw std::runtime_error("unknown recipe kind in " + source.toStdString());
                g->second(recipe, out);
                const QString description = recipe.text(QStringLiteral("description"));
                if (!description.isEmpty() && !isIcon)
                    descriptions << relative + QLatin1Char('\t') + description;
            } else if (relative.endsWith(QLatin1String(".page"))) {
                makePage(source, data.path());
            } else if (relative.endsWith(QLatin1String(".txt"))) {
                copyText(source, target.filePath(relative));
            }
        }
        writeDescriptions(descriptions, data.filePath(QStringLiteral("descriptions.txt")));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "mediagen: %s\n", e.what());
        return 1;
    }
    return 0;
}
