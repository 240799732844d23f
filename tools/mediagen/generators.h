#pragma once
// One function per kind of recipe; each writes one output file.
#include "recipe.h"

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
