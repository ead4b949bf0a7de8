#pragma once
// fillIn() lives in core/, where the class editor's checks reach it too.
#include "core/text_fill.h"
