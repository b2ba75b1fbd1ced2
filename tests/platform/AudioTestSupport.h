// Sound files made on the spot, and a capture device: OpenAL's wave-file
// writer, so that what the mixer produced can be read back and examined.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Platform.h"

namespace audiotest {

using Bytes = std::vector<uint8_t>;

// ---- WAV building blocks (little-endian, chunk by chunk)
Bytes FmtBody(int tag, int channels, int rate, int bits);
Bytes Chunk(const std::string& id, const Bytes& body, bool pad = true);
Bytes RiffWave(const std::vector<Bytes>& chunks);
// A sine tone as 8-bit unsigned or 16-bit signed PCM samples.
Bytes SinePcm(double seconds, int rate, int channels, int bits, double hz, double amplitude);
Bytes SineWav(double seconds, int rate = 22050, int channels = 1, int bits = 16, double hz = 440,
              double amplitude = 0.5);

// An Ogg Vorbis tone encoded with libvorbisenc (cached per parameters).
Bytes OggTone(double seconds, int rate = 22050, int channels = 1, double hz = 440);

plat::TSoundPtr SoundFromBytes(const Bytes& bytes, int flags = 0);

// ---- analysis of interleaved 16-bit samples
struct TSignal {
  int channels = 0;
  int rate = 0;
  std::vector<int16_t> samples;

  size_t Frames() const { return channels ? samples.size() / size_t(channels) : 0; }
  int Peak() const;
  // Frames whose loudest channel exceeds the threshold.
  size_t LoudFrames(int threshold = 1000) const;
  // Index of the first (last) such frame; -1 when none.
  long FirstLoudFrame(int threshold = 1000) const;
  long LastLoudFrame(int threshold = 1000) const;
  // Frames from the first loud one to the last.
  long LoudSpan(int threshold = 1000) const;
  double Seconds(long frames) const { return double(frames) / rate; }
  double Rms(int channel) const;
  // Sign changes of one channel per second of signal (twice the frequency).
  double CrossingsPerSecond(int channel) const;
};

// ---- the capture device
// The first call points ALSOFT_CONF at a configuration for the wave writer
// (stereo, 16-bit, 44.1 kHz, no dither) writing CaptureFile(); OpenAL reads
// its configuration once per process, so this must come before any other
// OpenAL use.
void UseWaveWriter();
std::string CaptureFolder();
std::string CaptureFile();
// Opens the capture device as the audio driver.
bool OpenCapture();
// Closes the driver and reads back what the wave writer wrote.
TSignal CloseCapture();

// Polls until the channel has finished; false after the time-out.
bool WaitUntilDone(const plat::TChannelPtr& channel, int timeoutMs = 10000);
void SleepMs(int ms);

// Sets (or, with null, removes) an environment variable for one scope.
class TEnvVar {
 public:
  TEnvVar(const char* name, const char* value);
  ~TEnvVar();
  TEnvVar(const TEnvVar&) = delete;
  TEnvVar& operator=(const TEnvVar&) = delete;

 private:
  std::string name_;
  bool had_ = false;
  std::string old_;
};

// Each test runs with the capture device open; the capture is closed after.
class AudioDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

}  // namespace audiotest
