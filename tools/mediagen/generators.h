#pragma once
// One function per kind of recipe; each writes one output file.
#include "recipe.h"

#include <QString>

void makeIcicles(const Recipe &r, const QString &out);
void makeClick(const Recipe &r, const QString &out);
void makeIcon(const Recipe &r, const QString &out);
void makePlanet(const Recipe &r, const QString &out);
void makeJupiterTurn(const Recipe &r, const QString &out);
