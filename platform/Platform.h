// The services the game needs of the machine: drawing, audio, input, time,
// chance and files. Nothing above this layer talks to SDL, OpenAL or a
// decoder; this header includes none of them.
//
// Conventions:
//  - Strings are UTF-8 (Utf8.h walks them by character). Paths are the
//    system's bytes and reach the file system unchanged, whatever they hold.
//    A name the player sees or types becomes part of a path only through
//    FileNameOfText, and a listed file name is shown through TextOfFileName.
//  - Colours are 0..255, alpha 0..1 (clamped when set).
//  - Every drawing position is in the logical 800 x 600 display.
//  - Loads that fail return null; they never throw or abort.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace plat {

// ---------------------------------------------------------------- backend

struct TBackendOptions {
  bool Headless = false;  // draw into memory, virtual clock, no sound device
  int LogicalWidth = 800;
  int LogicalHeight = 600;
  // Headless: the size in pixels of the display the picture is made for
  // (0: the logical size). The back buffer's scale follows it.
  int OutputWidth = 0;
  int OutputHeight = 0;
  std::string WindowTitle = "Gleamstrand";
};

// Opens the backend (no display yet). Safe to call again after Shutdown.
bool Startup(const TBackendOptions& options);
void Shutdown();
bool IsHeadless();

// ---------------------------------------------------------------- time, chance

// Millisecond counter. Headless: a virtual clock that moves only through
// Delay, Flip (by the frame period) and AdvanceClock.
int MilliSecs();
void Delay(int ms);
void AdvanceClock(int ms);               // headless only; ignored otherwise
void SetVirtualClock(int ms);            // headless only
void SetHeadlessFramePeriod(double ms);  // what Flip adds (default 1000/60)

void SeedRnd(uint32_t seed);
int RndSeed();
int Rand(int lo, int hi);          // uniform, inclusive; swapped if lo > hi
double Rnd(double lo, double hi);  // uniform in [lo, hi)
// The same for what is drawn alone (the sparks an effect spawns as it
// renders): a source of its own, seeded by SeedRnd as well, so that whether
// and how often frames are drawn never changes the play's draws.
double DrawRnd(double lo, double hi);

// Best effort; never an error. process: 1 above normal, 2 high, else normal.
void SetProcessPriority(int value);
void SetThreadPriority(int value);

// ---------------------------------------------------------------- pixmaps

// 32-bit pixels, 0xAARRGGBB, row-major, no padding.
struct TPixmap {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;

  TPixmap() = default;
  TPixmap(int w, int h, uint32_t fill = 0);
  uint32_t ReadPixel(int x, int y) const { return pixels[size_t(y) * width + x]; }
  void WritePixel(int x, int y, uint32_t argb) { pixels[size_t(y) * width + x] = argb; }
};

inline uint32_t ARGB(int a, int r, int g, int b) {
  return (uint32_t(a & 255) << 24) | (uint32_t(r & 255) << 16) | (uint32_t(g & 255) << 8) |
         uint32_t(b & 255);
}

// ---------------------------------------------------------------- streams

// Little-endian integers, IEEE reals; lines end in 13 10 when written and at
// byte 10 or 0 (13 dropped) when read; each byte is one character.
class TStream {
 public:
  virtual ~TStream() = default;
  // Raw access: return the number of bytes moved (fewer on end or failure).
  virtual size_t Read(void* buf, size_t n) = 0;
  virtual size_t Write(const void* buf, size_t n) = 0;
  virtual int64_t Pos() const = 0;
  virtual bool Seek(int64_t pos) = 0;
  virtual int64_t Size() const = 0;
  virtual bool Eof() const { return Pos() >= Size(); }
  // Ends the stream; false when data could not be written out.
  virtual bool Close() { return true; }
  // True once a write came up short (full or read-only medium).
  bool WriteFailed() const { return writeFailed_; }

  int ReadByte();   // 0 at the end
  int ReadShort();  // unsigned 16-bit
  int32_t ReadInt();
  int64_t ReadLong();
  float ReadFloat();
  double ReadDouble();
  void WriteByte(int v);
  void WriteShort(int v);
  void WriteInt(int32_t v);
  void WriteLong(int64_t v);
  void WriteFloat(float v);
  void WriteDouble(double v);

  std::string ReadLine();
  void WriteLine(const std::string& s);
  void WriteLine(const std::u16string& s);  // low 8 bits of each character
  std::string ReadString(size_t n);
  void WriteString(const std::string& s);
  void WriteString(const std::u16string& s);
  std::vector<uint8_t> ReadAll();  // from the position to the end

 protected:
  bool writeFailed_ = false;
};

using TStreamPtr = std::unique_ptr<TStream>;

// A stream over a block of memory (read and write; grows when written).
class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<uint8_t> bytes) : data_(std::move(bytes)) {}
  size_t Read(void* buf, size_t n) override;
  size_t Write(const void* buf, size_t n) override;
  int64_t Pos() const override { return pos_; }
  bool Seek(int64_t pos) override;
  int64_t Size() const override { return int64_t(data_.size()); }
  const std::vector<uint8_t>& Data() const { return data_; }
  std::vector<uint8_t>& Data() { return data_; }

 private:
  std::vector<uint8_t> data_;
  int64_t pos_ = 0;
};

// Read-only paths ("data/...", "Data/...") are resolved without regard to
// letter case. Returns the path as it exists on disk, or the input when
// nothing matches.
std::string ResolvePath(const std::string& path);

// A hook consulted before the disk when a stream is opened for reading
// (the resource archive registers one). Returns null when it has no entry.
using TStreamFactory = std::function<TStreamPtr(const std::string& path)>;
void SetStreamFactory(TStreamFactory factory);

TStreamPtr ReadStream(const std::string& path);    // factory, then disk (case-insensitive)
TStreamPtr ReadDiskFile(const std::string& path);  // disk only (case-insensitive)
TStreamPtr WriteFile(const std::string& path);     // create or truncate, in place
TStreamPtr OpenFile(const std::string& path, bool read, bool write);
// A file the game writes for the player: written beside the target as a
// temporary file and renamed over it by Close(). Closing after a failed
// write, or destroying the stream without Close(), leaves the old file.
TStreamPtr WriteFileAtomic(const std::string& path);
bool LoadBytes(const std::string& path, std::vector<uint8_t>& out);  // via ReadStream
// Deletes the temporaries that atomic writes interrupted by a crash or a
// kill left behind ("NAME.tmp-XXXXXX"), in folder and the folders inside it.
// Only safe while no other process writes there (the game holds its
// single-instance lock). Returns how many were removed.
int RemoveStaleTemporaries(const std::string& folder);

enum { FILETYPE_NONE = 0, FILETYPE_FILE = 1, FILETYPE_DIR = 2 };
int FileType(const std::string& path);
int64_t FileSize(const std::string& path);                  // -1 when absent
std::vector<std::string> ReadDir(const std::string& path);  // names, no "." or ".."
// A player's name as a file name (both UTF-8), and back. TextOfFileName
// fails for a file name that is not UTF-8, which the game cannot show.
std::string FileNameOfText(const std::string& text);
bool TextOfFileName(const std::string& fileName, std::string& text);
bool CreateDir(const std::string& path, bool recurse = false);
bool DeleteDir(const std::string& path, bool recurse = false);
bool DeleteFile(const std::string& path);
// Removes what lies at path unless it is a plain file or nothing: a link
// (itself, dangling or not), a folder with everything in it, a pipe. True
// when something was removed.
bool RemoveUnlessPlainFile(const std::string& path);
bool RenameFile(const std::string& from, const std::string& to);
bool CopyFile(const std::string& from, const std::string& to);
std::string AppDir();  // folder of the executable, no trailing "/"
std::string CurrentDir();
bool ChangeDir(const std::string& path);

// ---------------------------------------------------------------- display

struct TGraphicsMode {
  int width = 0;
  int height = 0;
  int depth = 0;
  int hertz = 0;
};

std::vector<TGraphicsMode> GraphicsModes();  // from the desktop
bool GraphicsModeExists(int width, int height, int depth, int hertz);
int DesktopWidth();
int DesktopHeight();
int DesktopRefreshRate();  // 0 when unknown

// driver 0: the accelerated default renderer; 1: OpenGL. Both fall back to
// the software renderer.
void SetGraphicsDriver(int driver);
// depth 0 opens an 800 x 600 resizable window; depth > 0 full screen on the
// desktop's own mode with the logical picture scaled and letterboxed.
bool Graphics(int width, int height, int depth, int hertz);
void EndGraphics();
bool GraphicsOpen();
bool IsFullScreen();
int GraphicsRefreshRate();  // -1 when unknown
// The renderer drawing the display ("opengl", "software", ...); empty when
// no display is open.
std::string GraphicsDriverName();

void SetWindowTitle(const std::string& title);
void SetWindowIcon(const TPixmap& icon);
void GetWindowPosition(int& x, int& y);
void GetClientPosition(int& x, int& y);
void CentreWindow();
bool WindowIsForeground();
// True once the window was destroyed from outside (its close request has
// been delivered once); nothing is shown any more until the next window.
bool WindowLost();

void Cls();
// sync 1 waits for the vertical blank; without it (or where it has no
// effect) frames are paced to the refresh rate by sleeping.
void Flip(int sync);
// A pass that shows nothing new: waits as Flip would, presenting nothing
// (headless: the virtual clock moves by the frame period).
void WaitFrame();
// Pictures presented by Flip since the start (headless too).
long long FramesPresented();
// When the last picture was presented: seconds on the process's steady
// clock (real time, also headless), for measuring what a frame cost.
double LastPresentSeconds();

// Frames of the main loop are recorded between BeginFrame and EndFrame and
// drawn at EndFrame only where they differ from the picture the back buffer
// holds; drawing outside a frame goes to the back buffer at once. EndFrame
// leaves the back buffer up to date and says what changed. Whatever is drawn
// between BeginAmbient and EndAmbient (which nest) is an ambient effect: a
// frame in which only those differ is FRAME_AMBIENT. The comparison works on
// the back buffer's own pixels, whatever its size.
enum TFrameChange { FRAME_SAME = 0, FRAME_AMBIENT = 1, FRAME_CHANGED = 2 };
void BeginFrame();
TFrameChange EndFrame();
void BeginAmbient();
void EndAmbient();
class TAmbientDrawing {
 public:
  TAmbientDrawing() { BeginAmbient(); }
  ~TAmbientDrawing() { EndAmbient(); }
  TAmbientDrawing(const TAmbientDrawing&) = delete;
  TAmbientDrawing& operator=(const TAmbientDrawing&) = delete;
};

// False while the window is hidden or minimised (nobody can see a frame).
bool DisplayShown();
// True once after the window's picture must be shown again although nothing
// in it changed: exposed, resized, shown again, focus regained, or its
// pixels lost.
bool TakeRedrawRequest();

// A rectangle of the display in logical pixels.
std::shared_ptr<TPixmap> GrabPixmap(int x, int y, int w, int h);
// The picture as the output shows it: the output's size in pixels (the
// window's, or headless the size asked for), with the bars beside it.
std::shared_ptr<TPixmap> GrabOutputPixmap();
// Back-buffer pixels per logical pixel each way: 2 when the output is more
// than 1.25 times the logical size, else 1.
int BackBufferScale();
// Headless: the output takes a new size, as a resized window does; the
// scale is chosen again before the next frame.
void SetHeadlessOutputSize(int width, int height);
bool SavePixmapPNG(const TPixmap& pixmap, const std::string& path, int compression = 9);

// ---------------------------------------------------------------- images

enum {
  MASKEDIMAGE = 1,
  FILTEREDIMAGE = 2,
  MIPMAPPEDIMAGE = 4,
  DYNAMICIMAGE = 8,
};

class TImage {
 public:
  TImage();
  ~TImage();
  TImage(const TImage&) = delete;
  TImage& operator=(const TImage&) = delete;

  int width = 0;
  int height = 0;
  int flags = 0;
  int mask_r = 0, mask_g = 0, mask_b = 0;
  float handle_x = 0, handle_y = 0;

  int Frames() const;
  struct Impl;
  std::unique_ptr<Impl> impl;
};
using TImagePtr = std::shared_ptr<TImage>;

void AutoImageFlags(int flags);  // default flags of later loads
int GetAutoImageFlags();
void SetMaskColor(int r, int g, int b);
void AutoMidHandle(bool on);  // loads are mid-handled while on
bool GetAutoMidHandle();

std::shared_ptr<TPixmap> LoadPixmap(const std::string& path);  // PNG, JPEG, BMP, TGA
std::shared_ptr<TPixmap> LoadPixmap(TStream& stream);
TImagePtr LoadImage(const std::string& path, int flags = -1);  // -1: the auto flags
TImagePtr LoadImage(TStream& stream, int flags = -1);
TImagePtr LoadImageFromPixmap(const TPixmap& pixmap, int flags = -1);
TImagePtr LoadAnimImage(const std::string& path, int cellWidth, int cellHeight, int firstCell,
                        int cellCount, int flags = -1);
TImagePtr LoadAnimImage(TStream& stream, int cellWidth, int cellHeight, int firstCell,
                        int cellCount, int flags = -1);
TImagePtr CreateImage(int width, int height, int frames = 1, int flags = -1);
// Where the copy of a picture file painted at twice its size is (a stream,
// or null when there is none). While the back buffer's scale is 2, pictures
// loaded from a file take that copy; their logical size stays the file's.
// They change set again when the scale changes, unless their pixels were
// changed. Set it before loading.
void SetDensePictureSource(std::function<TStreamPtr(const std::string& path)> source);
// The file an image read from a stream came from, so that it changes set
// as one loaded from that file does.
void SetImageSource(const TImagePtr& image, const std::string& path);
// Prepares every frame for drawing now (textures are otherwise made on a
// frame's first draw), so that a large picture's first draw does not hitch.
// Nothing to do without an open display; a new display re-makes them.
void PrecacheImage(const TImage& image);
int ImageWidth(const TImage& image);
int ImageHeight(const TImage& image);
void SetImageHandle(TImage& image, float x, float y);
void MidHandleImage(TImage& image);
// Locked pixel access to a frame; UnlockImage uploads the changes.
TPixmap& LockImage(TImage& image, int frame = 0);
void UnlockImage(TImage& image, int frame = 0);
// Texture coordinates of a frame (a sub-rectangle of its pixels in image
// pixels); later draws of that frame show only that part, sized to it.
void SetImageFrameRect(TImage& image, int frame, int x, int y, int w, int h);
// Copies a rectangle of the back buffer at (x, y) into an image frame.
void GrabImage(TImage& image, int x, int y, int frame = 0);

// ---------------------------------------------------------------- drawing state

enum { MASKBLEND = 1, SOLIDBLEND = 2, ALPHABLEND = 3, LIGHTBLEND = 4, SHADEBLEND = 5 };

void SetColor(int r, int g, int b);
void GetColor(int& r, int& g, int& b);
void SetAlpha(double alpha);  // clamped to 0..1
double GetAlpha();
void SetBlend(int mode);
int GetBlend();
void SetRotation(double degrees);
double GetRotation();
void SetScale(double sx, double sy);
void GetScale(double& sx, double& sy);
void SetTransform(double degrees, double sx, double sy);
void SetOrigin(double x, double y);
void GetOrigin(double& x, double& y);
void SetViewport(int x, int y, int w, int h);
void GetViewport(int& x, int& y, int& w, int& h);
void SetClsColor(int r, int g, int b);
void GetClsColor(int& r, int& g, int& b);
void SetLineWidth(double width);
double GetLineWidth();

// ---------------------------------------------------------------- drawing

void DrawImage(const TImage& image, double x, double y, int frame = 0);
// Stretched to w x h (before the current scale).
void DrawImageRect(const TImage& image, double x, double y, double w, double h, int frame = 0);
// The source rectangle (sx, sy, sw, sh) of the frame drawn at x, y sized w x h;
// (hx, hy) is the handle within the drawn rectangle.
void DrawSubImageRect(const TImage& image, double x, double y, double w, double h, double sx,
                      double sy, double sw, double sh, double hx = 0, double hy = 0, int frame = 0);
void DrawRect(double x, double y, double w, double h, bool filled = true);
void DrawLine(double x1, double y1, double x2, double y2, bool lastPixel = true);
void DrawOval(double x, double y, double w, double h);  // filled
void Plot(double x, double y);

// ---------------------------------------------------------------- collision

// Layers are bits of a 32-bit mask. Writing records the opaque pixels of a
// frame, drawn at (x, y) with its handle, under an identity object; testing
// returns the identities of every written frame that overlaps.
void ResetCollisions(uint32_t layerMask = 0xffffffffu);
void CollideImageWrite(const TImage& image, double x, double y, int frame, uint32_t layerMask,
                       const void* identity);
std::vector<const void*> CollideImageTest(const TImage& image, double x, double y, int frame,
                                          uint32_t layerMask);

// ---------------------------------------------------------------- fonts

class TFont {
 public:
  TFont();
  ~TFont();
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;
  int size = 0;
  struct Impl;
  std::unique_ptr<Impl> impl;
};
using TFontPtr = std::shared_ptr<TFont>;

// A TrueType face at a pixel size; smooth chooses anti-aliased glyphs.
TFontPtr LoadImageFont(const std::string& path, int size, bool smooth = true);
TFontPtr LoadImageFont(const std::vector<uint8_t>& fileBytes, int size, bool smooth = true);
void SetImageFont(TFontPtr font);  // null: the built-in default font
TFontPtr GetImageFont();
void DrawText(const std::string& text, double x, double y);
double TextWidth(const std::string& text);
double TextHeight(const std::string& text);
int FontHeight(const TFont& font);

// ---------------------------------------------------------------- audio

// "DirectSound", "FreeAudio", "OpenAL", "OpenAL Generic Software" and the
// like all open the default OpenAL device. When none opens the driver is
// "None" and every audio call does nothing. Never aborts.
// The driver is "None" until the first SetAudioDriver. Headless runs open a
// device only when ALSOFT_CONF is set or GS_AUDIO_DEVICE=1; GS_AUDIO_DEVICE=0
// never opens one. Sounds load and channels exist without a device (silent).
bool SetAudioDriver(const std::string& name);
std::string AudioDriver();  // "OpenAL" or "None"

enum { SOUND_LOOP = 1, SOUND_STREAM = 2 };

class TSound {
 public:
  TSound();
  ~TSound();
  TSound(const TSound&) = delete;
  TSound& operator=(const TSound&) = delete;
  bool looped = false;
  struct Impl;
  std::unique_ptr<Impl> impl;
};
using TSoundPtr = std::shared_ptr<TSound>;

class TChannel {
 public:
  TChannel();
  ~TChannel();
  TChannel(const TChannel&) = delete;
  TChannel& operator=(const TChannel&) = delete;
  struct Impl;
  std::unique_ptr<Impl> impl;
};
using TChannelPtr = std::shared_ptr<TChannel>;

// WAV or Ogg Vorbis. SOUND_STREAM (Ogg only) keeps the compressed bytes and
// decodes in chunks while playing: music.
TSoundPtr LoadSound(const std::string& path, int flags = 0);
TSoundPtr LoadSound(TStream& stream, int flags = 0);
TChannelPtr AllocChannel();
TChannelPtr PlaySound(const TSoundPtr& sound, TChannelPtr channel = nullptr);
TChannelPtr CueSound(const TSoundPtr& sound, TChannelPtr channel = nullptr);  // paused
void SetChannelVolume(const TChannelPtr& channel, double volume);             // 0..1
void SetChannelPan(const TChannelPtr& channel, double pan);                   // -1..1
void SetChannelRate(const TChannelPtr& channel, double rate);                 // 1 normal
void PauseChannel(const TChannelPtr& channel);
void ResumeChannel(const TChannelPtr& channel);
void StopChannel(const TChannelPtr& channel);
bool ChannelPlaying(const TChannelPtr& channel);  // started, not ended; true while paused

// ---------------------------------------------------------------- input

// Windows virtual-key codes.
enum {
  KEY_BACKSPACE = 8,
  KEY_TAB = 9,
  KEY_ENTER = 13,
  KEY_PAUSE = 19,
  KEY_ESCAPE = 27,
  KEY_SPACE = 32,
  KEY_PAGEUP = 33,
  KEY_PAGEDOWN = 34,
  KEY_END = 35,
  KEY_HOME = 36,
  KEY_LEFT = 37,
  KEY_UP = 38,
  KEY_RIGHT = 39,
  KEY_DOWN = 40,
  KEY_INSERT = 45,
  KEY_DELETE = 46,
  KEY_0 = 48,
  KEY_9 = 57,
  KEY_A = 65,
  KEY_H = 72,
  KEY_P = 80,
  KEY_Z = 90,
  KEY_F1 = 112,
  KEY_F12 = 123,
  KEY_LSHIFT = 160,
  KEY_RSHIFT = 161,
  KEY_LCONTROL = 162,
  KEY_RCONTROL = 163,
  KEY_LALT = 164,
  KEY_RALT = 165,
};

enum TEventKind {
  EVENT_NONE = 0,
  EVENT_KEYDOWN,       // data: key code
  EVENT_KEYUP,         // data: key code
  EVENT_KEYCHAR,       // data: the character typed (a code point)
  EVENT_MOUSEDOWN,     // data: button 1 left, 2 right, 3 middle
  EVENT_MOUSEUP,       // data: button
  EVENT_MOUSEMOVE,     // x, y: logical position
  EVENT_MOUSEWHEEL,    // data: wheel steps (+ away from the player)
  EVENT_APPSUSPEND,    // focus lost
  EVENT_APPRESUME,     // focus regained
  EVENT_APPTERMINATE,  // window close request
  // The window's state (kept by the platform: DisplayShown and
  // TakeRedrawRequest; these never reach the event feed). A script posts
  // them to play a window manager.
  EVENT_WINDOWHIDDEN = 32,  // hidden or minimised
  EVENT_WINDOWSHOWN,        // shown or restored
  EVENT_WINDOWEXPOSED,      // uncovered or resized: the picture is wanted again
};

struct TEvent {
  TEventKind kind = EVENT_NONE;
  int data = 0;
  int x = 0;
  int y = 0;
};

// Pumps the window system: fills both the event queue and the polled
// tables. Flip pumps too.
void PollSystem();
// The event feed. Events posted by PostEvent (a script) come out in order
// with the system's.
bool PollEvent(TEvent& event);
void PostEvent(const TEvent& event);
void FlushEvents();

// The polled interface, for loops outside the main loop.
bool KeyDown(int key);
int KeyHit(int key);  // presses since the last query
int GetChar();        // next typed character (a code point), 0 when none
void FlushKeys();
int MouseX();
int MouseY();
int MouseZ();  // wheel position
bool MouseDown(int button);
int MouseHit(int button);
void FlushMouse();
void MoveMouse(int x, int y);  // logical position
void ShowMouse();
void HideMouse();
// The system pointer in desktop coordinates.
void DesktopMouse(int& x, int& y);

// ---------------------------------------------------------------- system

// A message box over the game (SDL's simple message box). Headless, or when
// no box can be shown, the text goes to standard error instead.
void ShowMessage(const std::string& title, const std::string& text);
// Takes the lock of one folder: kInstanceLockFile inside it, held with
// flock until the process ends, so that every path to the same folder
// (spellings, links, bind mounts, namespaces) meets the same lock. The
// folder is made when missing. False when another process holds it.
inline constexpr const char* kInstanceLockFile = "instance.lock";
bool SingleInstanceLock(const std::string& folder);
// Called when the connection to the display is lost for good (the X server
// went away): nothing can be drawn any more, and the process ends with
// status 1 when the handler returns.
void SetDisplayLostHandler(std::function<void()> handler);
// The user's common application-data folder: $XDG_DATA_HOME, else
// $HOME/.local/share; no trailing "/".
std::string CommonDataFolder();
// "Full access" for a folder the game made: the user can read, write and
// enter it. Never widens access for other users. False when not possible.
bool GiveFolderAccess(const std::string& path);
// Opens a file or address with the desktop's default handler (xdg-open),
// without waiting for it. False when it could not be started.
bool OpenWithDefaultHandler(const std::string& path);
// The local date and time.
struct TDateTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};
TDateTime LocalDateTime();

}  // namespace plat
