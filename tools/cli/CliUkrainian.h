#pragma once

#include <span>

#include "language/Catalogue.h"

// The Ukrainian of irven-cli's own texts, line by line: the help and the messages.
std::span<const TTranslation> CliUkrainian();
