// Recorded frames: between BeginFrame and EndFrame every drawing call is
// kept as a command instead of being drawn. EndFrame compares the record
// with the one the back buffer shows and draws again only the regions where
// they differ, each with every command that touches it, clipped to it. A
// frame equal to the last costs no pixel work. Outside a frame the calls
// draw at once, as they always did.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

namespace plat::internal {

// Every drawing operation ends in one of these three. `visible`, when given,
// is the part of the texture whose pixels are not clear: an upright quad
// that blends leaves the rest of its rectangle as it was, so a change to it
// needs drawing again only there.
void SubmitGeometry(SDL_Texture* texture, uint64_t content, SDL_BlendMode blend,
                    const SDL_Vertex* vertices, int vertexCount, const int* indices, int indexCount,
                    const SDL_Rect* visible = nullptr);
void SubmitPoints(SDL_BlendMode blend, SDL_Color colour, const SDL_Point* points, int count);
void SubmitClear(SDL_Color colour);

// Four vertices of an upright rectangle, in order round it: from the first
// corner along x (unturned) or along y (turned a quarter).
bool UnturnedQuad(const SDL_Vertex* v, int count);
bool TurnedQuad(const SDL_Vertex* v, int count);

bool Recording();
// Forgets every record (the backend starts or stops).
void ResetFrames();
// Draws what the frame has recorded so far (the back buffer is about to be
// read in the middle of a frame).
void FlushRecording();
// The back buffer no longer shows the last record: the next frame is drawn
// whole.
void ForgetShownFrame();
// A texture destroyed while a frame is recorded may still be drawn by it:
// it is destroyed once the frame is drawn. False when not recording.
bool DeferTextureDestroy(SDL_Texture* texture);
// A fresh identity for a picture's pixels (new, or changed).
uint64_t NewContentId();
// A picture went to the screen (FramesPresented counts them).
void CountPresent();
// The parts of the back buffer changed since the last present, for a
// display that can present parts; true when the whole must go.
bool TakePresentRegions(std::vector<SDL_Rect>& regions);
// The next present shows the whole back buffer (the window lost its picture).
void PresentWhole();

}  // namespace plat::internal
