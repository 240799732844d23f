// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One function per kind of recipe; each writes one output file.
#include "recipe.h"

#include <QImage>
#include <QString>

void makeIcicles(const Recipe &r, const QString &out);
void makeClick(const Recipe &r, const QString &out);
void makeIcon(const Recipe &r, const QString &out);
void makePlanet(const Recipe &r, const QString &out);
void makeJupiterTurn(const Recipe &r, const QString &out);
void makeThermometer(const Recipe &r, const QString &out);
void makeSmallThermometer(const Recipe &r, const QString &out);
void makeTemperatureStrip(const Recipe &r, const QString &out);
void makeWeatherMap(const Recipe &r, const QString &out);
void makeLogoAnimation(const Recipe &r, const QString &out);
void makeLogoStill(const Recipe &r, const QString &out);
void makeSound(const Recipe &r, const QString &out);

// The pages: a page source becomes wmf/NAME.wmf (screen), wmf2/NAME.wmf (paper) and wmf/NAME.txt
// (its words).
void makePage(const QString &source, const QString &dataDir);

// A planet on black, as the planet pictures draw it.
QImage planetImage(const QString &name, const QSize &size, double margin = 1.5, double tiltDegrees = -14, double openingDegrees = 24);
