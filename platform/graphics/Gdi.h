// SPDX-License-Identifier: MIT
#pragma once
// All GDI-style calls of the graphics layer.

#include "platform/graphics/GdiBlits.h"
#include "platform/graphics/GdiFills.h"
#include "platform/graphics/GdiLines.h"
#include "platform/graphics/GdiObjects.h"
#include "platform/graphics/GdiText.h"
#include "platform/graphics/GdiTypes.h"
#include "platform/graphics/Rects.h"
