// One include for the sprite tree, its image sprites and the sprite-engine component.
#pragma once

// The sprite tree and its component in one include.
#include "engine/DXSpriteEngine.h"
#include "engine/ImageSprite.h"
#include "engine/Sprite.h"
#include "engine/SpriteEngine.h"
