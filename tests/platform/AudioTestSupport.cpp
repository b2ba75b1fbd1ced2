#include "AudioTestSupport.h"

#include <vorbis/vorbisenc.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <numbers>
#include <thread>
#include <tuple>

#include "AudioInternal.h"
#include "TestSupport.h"

namespace audiotest {

namespace {

void Put16(Bytes& out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}
void Put32(Bytes& out, uint32_t v) {
  Put16(out, v & 0xffff);
  Put16(out, v >> 16);
}
uint32_t Get16(const std::string& s, size_t at) {
  return uint32_t(uint8_t(s[at])) | uint32_t(uint8_t(s[at + 1])) << 8;
}
uint32_t Get32(const std::string& s, size_t at) { return Get16(s, at) | Get16(s, at + 2) << 16; }

double SineAt(size_t frame, int rate, double hz, double amplitude) {
  return amplitude * std::sin(2 * std::numbers::pi * hz * double(frame) / rate);
}

class TOggWriter {
 public:
  TOggWriter(int rate, int channels) {
    vorbis_info_init(&info_);
    vorbis_encode_init_vbr(&info_, channels, rate, 0.3f);
    vorbis_comment_init(&comment_);
    vorbis_analysis_init(&dsp_, &info_);
    vorbis_block_init(&dsp_, &block_);
    ogg_stream_init(&stream_, 4242);
    ogg_packet id, comments, codebooks;
    vorbis_analysis_headerout(&dsp_, &comment_, &id, &comments, &codebooks);
    ogg_stream_packetin(&stream_, &id);
    ogg_stream_packetin(&stream_, &comments);
    ogg_stream_packetin(&stream_, &codebooks);
    ogg_page page;
    while (ogg_stream_flush(&stream_, &page)) Append(page);
  }
  ~TOggWriter() {
    ogg_stream_clear(&stream_);
    vorbis_block_clear(&block_);
    vorbis_dsp_clear(&dsp_);
    vorbis_comment_clear(&comment_);
    vorbis_info_clear(&info_);
  }
  // frames == 0 ends the stream.
  template <typename Fill>
  void Write(int frames, Fill fill) {
    if (frames > 0) {
      float** buffer = vorbis_analysis_buffer(&dsp_, frames);
      fill(buffer);
    }
    vorbis_analysis_wrote(&dsp_, frames);
    Drain();
  }
  Bytes Take() { return std::move(bytes_); }

 private:
  void Append(const ogg_page& page) {
    bytes_.insert(bytes_.end(), page.header, page.header + page.header_len);
    bytes_.insert(bytes_.end(), page.body, page.body + page.body_len);
  }
  void Drain() {
    while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
      vorbis_analysis(&block_, nullptr);
      vorbis_bitrate_addblock(&block_);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp_, &packet)) {
        ogg_stream_packetin(&stream_, &packet);
        ogg_page page;
        while (ogg_stream_pageout(&stream_, &page)) Append(page);
      }
    }
    ogg_page page;
    while (ogg_stream_flush(&stream_, &page)) Append(page);
  }

  vorbis_info info_;
  vorbis_comment comment_;
  vorbis_dsp_state dsp_;
  vorbis_block block_;
  ogg_stream_state stream_;
  Bytes bytes_;
};

testsupport::TempDir& CaptureDir() {
  static testsupport::TempDir dir;
  return dir;
}

}  // namespace

Bytes FmtBody(int tag, int channels, int rate, int bits) {
  Bytes body;
  Put16(body, uint32_t(tag));
  Put16(body, uint32_t(channels));
  Put32(body, uint32_t(rate));
  Put32(body, uint32_t(rate * channels * bits / 8));
  Put16(body, uint32_t(channels * bits / 8));
  Put16(body, uint32_t(bits));
  return body;
}

Bytes Chunk(const std::string& id, const Bytes& body, bool pad) {
  Bytes out(id.begin(), id.end());
  Put32(out, uint32_t(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  if (pad && body.size() % 2) out.push_back(0);
  return out;
}

Bytes RiffWave(const std::vector<Bytes>& chunks) {
  Bytes inner = {'W', 'A', 'V', 'E'};
  for (const Bytes& c : chunks) inner.insert(inner.end(), c.begin(), c.end());
  return Chunk("RIFF", inner, false);
}

Bytes SinePcm(double seconds, int rate, int channels, int bits, double hz, double amplitude) {
  Bytes out;
  const size_t frames = size_t(seconds * rate);
  for (size_t f = 0; f < frames; ++f) {
    double v = SineAt(f, rate, hz, amplitude);
    for (int c = 0; c < channels; ++c) {
      if (bits == 8)
        out.push_back(uint8_t(std::lround(128 + 127 * v)));
      else
        Put16(out, uint32_t(uint16_t(int16_t(std::lround(32767 * v)))));
    }
  }
  return out;
}

Bytes SineWav(double seconds, int rate, int channels, int bits, double hz, double amplitude) {
  return RiffWave({Chunk("fmt ", FmtBody(1, channels, rate, bits)),
                   Chunk("data", SinePcm(seconds, rate, channels, bits, hz, amplitude))});
}

Bytes OggTone(double seconds, int rate, int channels, double hz) {
  static std::map<std::tuple<double, int, int, double>, Bytes> cache;
  auto key = std::make_tuple(seconds, rate, channels, hz);
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  TOggWriter writer(rate, channels);
  const int total = int(seconds * rate);
  for (int done = 0; done < total;) {
    int n = std::min(1024, total - done);
    writer.Write(n, [&](float** buffer) {
      for (int i = 0; i < n; ++i)
        for (int c = 0; c < channels; ++c)
          buffer[c][i] = float(SineAt(size_t(done + i), rate, hz, 0.5));
    });
    done += n;
  }
  writer.Write(0, [](float**) {});
  return cache[key] = writer.Take();
}

plat::TSoundPtr SoundFromBytes(const Bytes& bytes, int flags) {
  plat::TMemoryStream stream(bytes);
  return plat::LoadSound(stream, flags);
}

int TSignal::Peak() const {
  int peak = 0;
  for (int16_t s : samples) peak = std::max(peak, std::abs(int(s)));
  return peak;
}

size_t TSignal::LoudFrames(int threshold) const {
  size_t count = 0;
  for (size_t f = 0; f < Frames(); ++f) {
    for (int c = 0; c < channels; ++c) {
      if (std::abs(int(samples[f * channels + c])) > threshold) {
        ++count;
        break;
      }
    }
  }
  return count;
}

long TSignal::FirstLoudFrame(int threshold) const {
  for (size_t i = 0; i < samples.size(); ++i)
    if (std::abs(int(samples[i])) > threshold) return long(i / size_t(channels));
  return -1;
}

long TSignal::LastLoudFrame(int threshold) const {
  for (size_t i = samples.size(); i-- > 0;)
    if (std::abs(int(samples[i])) > threshold) return long(i / size_t(channels));
  return -1;
}

long TSignal::LoudSpan(int threshold) const {
  long first = FirstLoudFrame(threshold);
  return first < 0 ? 0 : LastLoudFrame(threshold) - first + 1;
}

double TSignal::Rms(int channel) const {
  if (Frames() == 0) return 0;
  double sum = 0;
  for (size_t f = 0; f < Frames(); ++f) {
    double v = samples[f * channels + channel];
    sum += v * v;
  }
  return std::sqrt(sum / double(Frames()));
}

double TSignal::CrossingsPerSecond(int channel) const {
  if (Frames() < 2) return 0;
  int crossings = 0;
  for (size_t f = 1; f < Frames(); ++f) {
    bool was = samples[(f - 1) * channels + channel] >= 0;
    bool is = samples[f * channels + channel] >= 0;
    if (was != is) ++crossings;
  }
  return crossings * double(rate) / double(Frames());
}

std::string CaptureFolder() { return CaptureDir().File("out"); }
std::string CaptureFile() { return CaptureFolder() + "/capture.wav"; }

void UseWaveWriter() {
  static bool done = false;
  if (done) return;
  done = true;
  std::filesystem::create_directories(CaptureFolder());
  const std::string conf = CaptureDir().File("alsoft.conf");
  testsupport::WriteWholeFile(conf,
                              "[general]\n"
                              "drivers=wave\n"
                              "channels=stereo\n"
                              "sample-type=int16\n"
                              "frequency=44100\n"
                              "dither=false\n"
                              "hrtf=false\n"
                              "[wave]\n"
                              "file=" +
                                  CaptureFile() + "\n");
  setenv("ALSOFT_CONF", conf.c_str(), 1);
  setenv("ALSOFT_LOGLEVEL", "0", 1);
}

bool OpenCapture() {
  UseWaveWriter();
  return plat::SetAudioDriver("OpenAL");
}

// The wave writer's own header: RIFF, a (possibly extensible) "fmt " chunk
// and "data". Read without the game's decoder, which is under test.
TSignal CloseCapture() {
  plat::AudioShutdown();
  TSignal signal;
  const std::string file = testsupport::ReadWholeFile(CaptureFile());
  size_t pos = 12;
  while (pos + 8 <= file.size()) {
    const std::string id = file.substr(pos, 4);
    const size_t size = std::min<size_t>(Get32(file, pos + 4), file.size() - pos - 8);
    if (id == "fmt ") {
      signal.channels = int(Get16(file, pos + 10));
      signal.rate = int(Get32(file, pos + 12));
    } else if (id == "data") {
      signal.samples.resize(size / 2);
      std::memcpy(signal.samples.data(), file.data() + pos + 8, signal.samples.size() * 2);
    }
    pos += 8 + size + (size & 1);
  }
  return signal;
}

void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

bool WaitUntilDone(const plat::TChannelPtr& channel, int timeoutMs) {
  for (int waited = 0; waited < timeoutMs; waited += 10) {
    if (!plat::ChannelPlaying(channel)) return true;
    SleepMs(10);
  }
  return !plat::ChannelPlaying(channel);
}

TEnvVar::TEnvVar(const char* name, const char* value) : name_(name) {
  if (const char* old = std::getenv(name)) {
    had_ = true;
    old_ = old;
  }
  if (value)
    setenv(name, value, 1);
  else
    unsetenv(name);
}

TEnvVar::~TEnvVar() {
  if (had_)
    setenv(name_.c_str(), old_.c_str(), 1);
  else
    unsetenv(name_.c_str());
}

void AudioDeviceTest::SetUp() {
  ASSERT_TRUE(OpenCapture());
  ASSERT_EQ(plat::AudioDriver(), "OpenAL");
}

void AudioDeviceTest::TearDown() { plat::AudioShutdown(); }

}  // namespace audiotest
