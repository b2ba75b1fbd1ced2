#include "Audio.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace datagen {

Audio MakeAudio(double seconds, int channels) {
  Audio a;
  a.channels = channels;
  a.samples.assign(size_t(std::lround(seconds * a.rate)) * size_t(channels), 0.0f);
  return a;
}

double Peak(const Audio& audio) {
  double peak = 0;
  for (float s : audio.samples) peak = std::max(peak, double(std::fabs(s)));
  return peak;
}

void NormalisePeak(Audio& audio, double dbfs) {
  double peak = Peak(audio);
  if (peak <= 0) return;
  float gain = float(std::pow(10.0, dbfs / 20) / peak);
  for (float& s : audio.samples) s *= gain;
}

void Declick(Audio& audio, double inSeconds, double outSeconds) {
  size_t frames = audio.Frames(), in = size_t(inSeconds * audio.rate),
         out = size_t(outSeconds * audio.rate);
  for (size_t f = 0; f < frames; ++f) {
    double g = 1;
    if (f < in) g = double(f) / in;
    if (f + out >= frames && out > 0) g = std::min(g, double(frames - 1 - f) / out);
    for (int c = 0; c < audio.channels; ++c) audio.samples[f * audio.channels + c] *= float(g);
  }
}

namespace {

void PutLe(Bytes& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

void PutTag(Bytes& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(tag[i]));
}

int16_t ToPcm(float s) { return int16_t(std::lround(std::clamp(double(s), -1.0, 1.0) * 32767.0)); }

}  // namespace

Bytes EncodeWav(const Audio& audio) {
  uint32_t dataBytes = uint32_t(audio.samples.size() * 2);
  Bytes out;
  PutTag(out, "RIFF");
  PutLe(out, 36 + dataBytes, 4);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  PutLe(out, 16, 4);
  PutLe(out, 1, 2);  // PCM
  PutLe(out, uint32_t(audio.channels), 2);
  PutLe(out, uint32_t(audio.rate), 4);
  PutLe(out, uint32_t(audio.rate * audio.channels * 2), 4);
  PutLe(out, uint32_t(audio.channels * 2), 2);
  PutLe(out, 16, 2);
  PutTag(out, "data");
  PutLe(out, dataBytes, 4);
  for (float s : audio.samples) PutLe(out, uint16_t(ToPcm(s)), 2);
  return out;
}

namespace {

class OggWriter {
 public:
  OggWriter(const Audio& audio, double quality, int serial) {
    vorbis_info_init(&info_);
    if (vorbis_encode_init_vbr(&info_, audio.channels, audio.rate, float(quality)) != 0) {
      vorbis_info_clear(&info_);
      throw std::runtime_error("vorbis encoder refused its settings");
    }
    vorbis_comment_init(&comment_);
    vorbis_comment_add_tag(&comment_, "TITLE", "Gleamstrand");
    vorbis_analysis_init(&dsp_, &info_);
    vorbis_block_init(&dsp_, &block_);
    ogg_stream_init(&stream_, serial);
  }
  ~OggWriter() {
    ogg_stream_clear(&stream_);
    vorbis_block_clear(&block_);
    vorbis_dsp_clear(&dsp_);
    vorbis_comment_clear(&comment_);
    vorbis_info_clear(&info_);
  }
  OggWriter(const OggWriter&) = delete;
  OggWriter& operator=(const OggWriter&) = delete;

  Bytes Encode(const Audio& audio) {
    WriteHeaders();
    const size_t chunk = 1024;
    size_t frames = audio.Frames();
    for (size_t start = 0; start < frames; start += chunk) {
      size_t n = std::min(chunk, frames - start);
      float** buffer = vorbis_analysis_buffer(&dsp_, int(n));
      for (size_t f = 0; f < n; ++f)
        for (int c = 0; c < audio.channels; ++c)
          buffer[c][f] = audio.samples[(start + f) * audio.channels + c];
      vorbis_analysis_wrote(&dsp_, int(n));
      Drain(false);
    }
    vorbis_analysis_wrote(&dsp_, 0);
    Drain(true);
    return std::move(out_);
  }

 private:
  void WriteHeaders() {
    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&dsp_, &comment_, &header, &comments, &codebooks);
    ogg_stream_packetin(&stream_, &header);
    ogg_stream_packetin(&stream_, &comments);
    ogg_stream_packetin(&stream_, &codebooks);
    ogg_page page;
    while (ogg_stream_flush(&stream_, &page)) Append(page);
  }

  void Drain(bool last) {
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
    if (last) {
      ogg_page page;
      while (ogg_stream_flush(&stream_, &page)) Append(page);
    }
  }

  void Append(const ogg_page& page) {
    out_.insert(out_.end(), page.header, page.header + page.header_len);
    out_.insert(out_.end(), page.body, page.body + page.body_len);
  }

  vorbis_info info_;
  vorbis_comment comment_;
  vorbis_dsp_state dsp_;
  vorbis_block block_;
  ogg_stream_state stream_;
  Bytes out_;
};

}  // namespace

Bytes EncodeOgg(const Audio& audio, double quality, int serial) {
  OggWriter writer(audio, quality, serial);
  return writer.Encode(audio);
}

}  // namespace datagen
