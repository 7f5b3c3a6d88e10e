// The camera's speed classes and the line speeds they stand for.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <peltrix_speed_classes.h>

namespace pdrcam {

// A class and its line speed, from the library's own table.
using SpeedClass = peltrix::SpeedClassRate;

// Every class the library offers, slowest first.
const SpeedClass *speedClassesBegin();
const SpeedClass *speedClassesEnd();

// Accepts a line speed ("115200") or a class number ("5", "c5", "class5").
std::optional<SpeedClass> parseSpeed(const std::string &text);

std::optional<SpeedClass> speedClassForCode(int32_t code);

}  // namespace pdrcam
