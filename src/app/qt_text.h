#pragma once
// The windows share the drawing library's conversions between core strings and Qt's.
#include "drawing/qt_text.h"
