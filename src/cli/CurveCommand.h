#pragma once

#include "cli/CliSupport.h"

#include <QString>

#include <set>

// welkor-lumo-cli krzywa: a plate read off the standard curve of its
// standards.

extern const QString kCurveHelp;

// The options `krzywa` takes.
std::set<QString> CurveOptionNames();

int Curve(const Arguments& args, Console& console);
