#pragma once

#include <QString>

#include "serial/ByteString.h"

// The window's edge between Unicode and the Windows-1251 bytes of frames, grids and settings
// files, through the one shared codec.
ByteString ToWindows1251(const QString& text);
QString FromWindows1251(const ByteString& bytes);
