#include "AudioDecode.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace plat {

namespace {

uint32_t Le16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t Le32(const uint8_t* p) { return Le16(p) | Le16(p + 2) << 16; }

bool HasTag(const std::vector<uint8_t>& file, size_t at, const char* tag) {
  return file.size() >= at + 4 && std::memcmp(file.data() + at, tag, 4) == 0;
}

struct TWavFormat {
  uint32_t tag = 0;
  uint32_t channels = 0;
  uint32_t rate = 0;
  uint32_t bits = 0;
};

constexpr uint32_t kWavPcm = 1;
constexpr uint32_t kWavExtensible = 0xFFFE;
// The bytes of the PCM sub-format GUID after its leading 16-bit format tag.
constexpr uint8_t kPcmGuidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                      0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

TWavFormat ParseFormat(const uint8_t* body, uint32_t size) {
  TWavFormat fmt;
  fmt.tag = Le16(body);
  fmt.channels = Le16(body + 2);
  fmt.rate = Le32(body + 4);
  fmt.bits = Le16(body + 14);
  if (fmt.tag == kWavExtensible && size >= 40 &&
      std::memcmp(body + 26, kPcmGuidTail, sizeof kPcmGuidTail) == 0) {
    fmt.tag = Le16(body + 24);
  }
  return fmt;
}

std::string CheckFormat(const TWavFormat& fmt) {
  if (fmt.tag != kWavPcm)
    return "unsupported WAV encoding (format " + std::to_string(fmt.tag) + ")";
  if (fmt.channels < 1 || fmt.channels > 2)
    return "unsupported channel count " + std::to_string(fmt.channels);
  if (fmt.bits != 8 && fmt.bits != 16)
    return "unsupported sample size of " + std::to_string(fmt.bits) + " bits";
  if (fmt.rate == 0) return "WAV sample rate of 0";
  return "";
}

void SwapToHostOrder(std::vector<uint8_t>& samples) {
  if constexpr (std::endian::native == std::endian::big) {
    for (size_t i = 0; i + 1 < samples.size(); i += 2) std::swap(samples[i], samples[i + 1]);
  }
}

}  // namespace

TSoundFormat SniffSoundFormat(const std::vector<uint8_t>& file) {
  if (HasTag(file, 0, "RIFF") && HasTag(file, 8, "WAVE")) return TSoundFormat::Wav;
  if (HasTag(file, 0, "OggS")) return TSoundFormat::Vorbis;
  return TSoundFormat::Unknown;
}

bool DecodeWav(const std::vector<uint8_t>& file, TPcm& out, std::string& error) {
  if (SniffSoundFormat(file) != TSoundFormat::Wav) {
    error = "not a RIFF WAVE file";
    return false;
  }
  // The RIFF size is often wrong in files from careless writers, so chunks
  // are walked to the real end of the bytes instead.
  const size_t end = file.size();
  bool haveFormat = false;
  TWavFormat fmt;
  const uint8_t* data = nullptr;
  size_t dataSize = 0;
  size_t pos = 12;
  while (pos + 8 <= end) {
    const uint8_t* head = file.data() + pos;
    const uint32_t size = Le32(head + 4);
    const size_t body = pos + 8;
    const size_t avail = end - body;
    if (std::memcmp(head, "fmt ", 4) == 0) {
      if (size < 16 || size > avail) {
        error = "damaged WAV format chunk";
        return false;
      }
      fmt = ParseFormat(file.data() + body, size);
      haveFormat = true;
    } else if (std::memcmp(head, "data", 4) == 0 && !data) {
      data = file.data() + body;
      dataSize = std::min<size_t>(size, avail);  // a cut-off file keeps what it has
    }
    if (size > avail) break;
    pos = body + size + (size & 1);  // chunks are padded to even sizes
  }
  if (!haveFormat) {
    error = "WAV file without a format chunk";
    return false;
  }
  if (std::string bad = CheckFormat(fmt); !bad.empty()) {
    error = bad;
    return false;
  }
  if (!data) {
    error = "WAV file without a data chunk";
    return false;
  }
  out.channels = int(fmt.channels);
  out.rate = int(fmt.rate);
  out.bits = int(fmt.bits);
  const size_t frames = dataSize / out.FrameBytes();
  if (frames == 0) {
    error = "WAV file without samples";
    return false;
  }
  out.samples.assign(data, data + frames * out.FrameBytes());
  if (out.bits == 16) SwapToHostOrder(out.samples);
  return true;
}

bool DecodeVorbis(const TSharedBytes& file, TPcm& out, std::string& error) {
  std::unique_ptr<TVorbisStream> stream = TVorbisStream::Open(file, error);
  if (!stream) return false;
  out.channels = stream->Channels();
  out.rate = stream->Rate();
  out.bits = 16;
  out.samples.clear();
  // The header's length is only a hint: a damaged one must not make us
  // reserve more than such a file could plausibly hold.
  const int64_t total = stream->TotalFrames();
  const size_t frameBytes = out.FrameBytes();
  if (total > 0 && size_t(total) <= file->size() * 64 / frameBytes)
    out.samples.reserve(size_t(total) * frameBytes);
  std::vector<int16_t> chunk(4096 * size_t(out.channels));
  while (size_t got = stream->Read(chunk.data(), 4096, false)) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(chunk.data());
    out.samples.insert(out.samples.end(), bytes, bytes + got * frameBytes);
  }
  if (out.samples.empty()) {
    error = stream->Damaged() ? "damaged Ogg Vorbis data" : "Ogg Vorbis stream without samples";
    return false;
  }
  return true;
}

}  // namespace plat
