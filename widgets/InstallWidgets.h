// Connects the widget layer to the frame below it: the frame's sprite maker
// (screen headers, the paused picture) builds real TSprites. Called once
// from app/ before the game object is made.
#pragma once

void InstallWidgets();
