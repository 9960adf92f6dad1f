#pragma once

// The sprite tree and its component in one include.
#include "engine/DXSpriteEngine.h"
#include "engine/ImageSprite.h"
#include "engine/Sprite.h"
#include "engine/SpriteEngine.h"
